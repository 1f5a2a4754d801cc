#include "vek/edit/Undo.h"

#include <algorithm>

#include "vek/model/AppHelpers.h"
#include "vek/model/ModelHooks.h"
#include "vek/model/ProjectOptions.h"

CUndo theUndo;
void (*theUndoLimitPrompt)(const char* text, int milliseconds) = nullptr;
void (*theUndoApplyBracket)(bool begin) = nullptr;

namespace {
// The options and the model's hooks empty the history through the stack.
const bool bound = [] {
    theProjectOptionsHooks.clearUndo = [] { theUndo.Clear(); };
    return true;
}();
}  // namespace

void CUndo::CEntries::DeleteTail(int first)
{
    if (first < 0) first = 0;
    while (m_nCount > first) {
        CUndoClass* p = At(m_nCount - 1);
        m_pData[m_nCount - 1] = nullptr;
        --m_nCount;
        delete p;
    }
}

void CUndo::CEntries::DeleteFront(int n)
{
    n = std::min(n, m_nCount);
    if (n <= 0) return;
    for (int i = 0; i < n; ++i) {
        delete At(i);
        m_pData[i] = nullptr;
    }
    std::copy(m_pData + n, m_pData + m_nCount, m_pData);
    m_nCount -= n;
}

CUndo::~CUndo()
{
    Clear();
    m_entries.SetSize(0);
}

void CUndo::Clear()
{
    m_entries.DeleteTail(0);
    m_entries.SetSize(0);
    m_nPosition = 0;
}

void CUndo::DropOpenGroup()
{
    int n = Count();
    while (n > 0 && GetEntry(n - 1)) --n;
    m_entries.DeleteTail(n);
    m_nPosition = std::min(m_nPosition, Count());
}

void CUndo::DropRedoRecords()
{
    m_entries.DeleteTail(m_nPosition);
    m_nPosition = Count();
}

void CUndo::TrimToLimit()
{
    const int n = Count();
    const int limit = theProjectOptions.nUndoLimit;
    if (n < 1 || n <= limit) return;
    int k = std::max(n - limit - 1, 0);
    while (k < n && GetEntry(k)) ++k;
    // The cut never reaches into the last group: when it would, only the
    // groups before it go.
    int lastStart = n - 1;
    while (lastStart > 0 && GetEntry(lastStart - 1)) --lastStart;
    if (k >= lastStart - 1) k = lastStart - 1;
    if (k < 0) return;
    m_nPosition = std::max(m_nPosition - (k + 1), 0);
    m_entries.DeleteFront(k + 1);
    if (theUndoLimitPrompt) theUndoLimitPrompt("撤销操作缓冲区已经达到最大值，某些操作将不能被撤销！", 1500);
}

void CUndo::BeginRecord()
{
    DropOpenGroup();
    DropRedoRecords();
    TrimToLimit();
    m_bRecording = 1;
}

bool CUndo::AddRecord(CUndoClass* record)
{
    if (!record) return false;
    if (!m_bRecording || !m_entries.Add(record)) {
        delete record;
        return false;
    }
    return true;
}

void CUndo::EndRecord()
{
    m_bRecording = 0;
    const int n = Count();
    if (n == 0 || !GetEntry(n - 1)) return;
    if (!m_entries.Add(nullptr)) return;
    m_nPosition = Count();
    TrimToLimit();
}

void CUndo::DeferToGroupEnd(GroupTask task)
{
    if (!task) return;
    if (!m_bApplying) {
        task();
        return;
    }
    for (int i = 0; i < m_nTasks; ++i)
        if (m_tasks[i] == task) return;
    if (m_nTasks < kMaxTasks)
        m_tasks[m_nTasks++] = task;
    else
        task();
}

void CUndo::RunGroupTasks()
{
    // A task may hand over another one; each runs once.
    for (int i = 0; i < m_nTasks; ++i) m_tasks[i]();
    m_nTasks = 0;
}

void CUndo::Undo()
{
    DropOpenGroup();
    if (m_nPosition < 1) return;
    int result = 0;
    if (theUndoApplyBracket) theUndoApplyBracket(true);
    m_bApplying = 1;
    // The group's own separator, then its records newest first, down to the
    // separator of the group before.
    if (!GetEntry(m_nPosition - 1)) --m_nPosition;
    while (m_nPosition > 0 && GetEntry(m_nPosition - 1)) {
        result |= GetEntry(m_nPosition - 1)->Undo();
        --m_nPosition;
    }
    m_bApplying = 0;
    RunGroupTasks();
    if (theUndoApplyBracket) theUndoApplyBracket(false);
    SetDocumentModified(1);
    if (result) ModelHooks().InvalidateModel();
}

void CUndo::Redo()
{
    DropOpenGroup();
    if (m_nPosition >= Count()) {
        SetDocumentModified(1);
        return;
    }
    int result = 0;
    if (theUndoApplyBracket) theUndoApplyBracket(true);
    m_bApplying = 1;
    while (m_nPosition < Count()) {
        CUndoClass* r = GetEntry(m_nPosition);
        ++m_nPosition;
        if (!r) break;
        result |= r->Redo();
    }
    m_bApplying = 0;
    RunGroupTasks();
    if (theUndoApplyBracket) theUndoApplyBracket(false);
    SetDocumentModified(1);
    if (result) ModelHooks().InvalidateModel();
}
