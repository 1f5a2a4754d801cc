#pragma once
// The undo stack: one group of records per user operation, closed by a null
// separator. Records name their objects by ID, never by address, so a record
// whose object is gone does nothing.
#include <cstdint>

#include "containers/MLArrayPtr.h"

class CUndoClass {
public:
    virtual ~CUndoClass() = default;
    // Each returns non-zero when the whole model picture must be rebuilt.
    virtual int Redo() { return 0; }
    virtual int Undo() { return 0; }
};

class CUndo {
public:
    CUndo() = default;
    virtual ~CUndo();
    CUndo(const CUndo&) = delete;
    CUndo& operator=(const CUndo&) = delete;

    // Deletes every record; nothing can be undone or redone afterwards.
    void Clear();
    void BeginRecord();
    // The stack owns the record from this call on; with no group open it is
    // deleted at once and false returned.
    bool AddRecord(CUndoClass* record);
    void EndRecord();
    void Undo();
    void Redo();
    bool CanUndo() const { return m_nPosition > 0; }
    bool CanRedo() const { return m_nPosition < Count(); }

    void DropOpenGroup();
    void DropRedoRecords();
    // Drops the oldest whole groups while the entries exceed the undo limit;
    // the group just closed always stays.
    void TrimToLimit();

    bool IsRecording() const { return m_bRecording != 0; }
    int GetPosition() const { return m_nPosition; }
    int GetEntryCount() const { return Count(); }
    // Entry i (0 .. count - 1): a record, or null for a separator.
    CUndoClass* GetEntry(int i) const { return m_entries.At(i); }

    // Work that records hand over to be done once per group (purges of
    // references to removed objects): while Undo or Redo applies a group it
    // runs once after the group's last record; a record applied on its own
    // has it run at once.
    using GroupTask = void (*)();
    void DeferToGroupEnd(GroupTask task);

private:
    // The owning pointer array with the two bulk removals the stack needs.
    class CEntries : public MLArrayPtr<CUndoClass> {
    public:
        CUndoClass* At(int i) const { return static_cast<CUndoClass*>(m_pData[i]); }
        // Deletes the records of entries first .. count - 1 (last first) and drops them.
        void DeleteTail(int first);
        // Deletes the records of entries 0 .. n - 1 and moves the rest to the front.
        void DeleteFront(int n);
    };

    int Count() const { return m_entries.GetSize(); }

    void RunGroupTasks();

    int32_t m_nPosition = 0;
    uint8_t m_bRecording = 0;
    uint8_t m_bApplying = 0;
    CEntries m_entries;
    static constexpr int kMaxTasks = 16;
    GroupTask m_tasks[kMaxTasks] = {};
    int m_nTasks = 0;
};

extern CUndo theUndo;

// Called with true before Undo or Redo applies a group and with false after
// it: the element families bind a drawing bracket, so that the records'
// pictures go to the view. Unbound, nothing is done.
extern void (*theUndoApplyBracket)(bool begin);

// Shown when the oldest groups were dropped at the undo limit: a flashing
// prompt for 1500 ms. The application binds its prompt window; unbound,
// nothing is shown.
extern void (*theUndoLimitPrompt)(const char* text, int milliseconds);
