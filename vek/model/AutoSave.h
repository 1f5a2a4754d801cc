#pragma once
// The timed autosave: a clock of milliseconds started at the first idle call;
// a save is due when more than the interval has passed since the last one.
#include <cstdint>

class CAutoSaveClock {
public:
    typedef int32_t (*Clock)();
    // The C library's processor clock in milliseconds.
    static int32_t ProcessClock();

    explicit CAutoSaveClock(Clock clock = &ProcessClock) : m_clock(clock) {}
    void SetClock(Clock clock) { m_clock = clock; }
    // The first call takes the clock as the last save time.
    void Start();
    bool IsStarted() const { return m_started; }
    // True, and the clock taken as the last save time, when the time since the
    // last save (a signed 32-bit difference) is greater than interval.
    bool TakeIfDue(int32_t interval);

private:
    Clock m_clock;
    int32_t m_last = 0;
    bool m_started = false;
};

// Writes the autosave copy of the project ("~" + name + ".PRJ" in the current
// folder); the document binds it. 1 when written; unbound, nothing is written.
extern int (*pfnSaveProject)(int autosave);
