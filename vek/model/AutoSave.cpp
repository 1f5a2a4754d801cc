#include "vek/model/AutoSave.h"

#include <ctime>

int (*pfnSaveProject)(int autosave) = nullptr;

int32_t CAutoSaveClock::ProcessClock()
{
    return static_cast<int32_t>(static_cast<int64_t>(std::clock()) * 1000 / CLOCKS_PER_SEC);
}

void CAutoSaveClock::Start()
{
    if (m_started) return;
    m_last = m_clock();
    m_started = true;
}

bool CAutoSaveClock::TakeIfDue(int32_t interval)
{
    Start();
    const int32_t now = m_clock();
    // Wraps as the 32-bit clock does.
    const int32_t elapsed = static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(m_last));
    if (elapsed <= interval) return false;
    m_last = now;
    return true;
}
