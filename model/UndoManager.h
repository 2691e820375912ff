// The undo history: a list of steps, newest at the head, with an all-zero
// sentinel always at the tail. Each step carries a function that undo and
// redo run with (param, FALSE) and that discarding calls with (param, TRUE)
// so the step can free its data. Snapshot steps (UndoFileProc) exchange the
// scene with a file; views record "Change View" steps of their own.
//
// Steps that point into a view: a view that goes away while the history
// lives on (at exit the frame and its views are destroyed before the
// document) must call DiscardStepsOf(its step function, this) from its
// destructor, and its step function must not call into the view when asked
// to discard. Then no step ever reaches a destroyed view.
#pragma once

#include <framework/Core.h>

class cPlugin;
class CMyOrbelDoc;

enum UndoKind : int {
    UK_SENTINEL = 0,
    UK_FUNCTION = 1,
};

using UndoFunction = void (*)(INT_PTR param, BOOL discard);

struct UndoEntry {
    INT_PTR param = 0;
    int kind = UK_SENTINEL;
    UndoFunction function = nullptr;
    cPlugin* object = nullptr;  // null in every step the program records
    CString label;
};

// The param of a snapshot step.
struct UndoFile {
    CMyOrbelDoc* document;
    CString fileName;  // "Temp\Un7.bin" (relative to the program directory) or in the instance's folder
};

// The function of a snapshot step: CMyOrbelDoc::RestoreUndoState.
void UndoFileProc(INT_PTR param, BOOL discard);

class cUndoManager : public CObject {
public:
    static constexpr int kDefaultCapacity = 20;
    static constexpr int kLastSnapshotNumber = 30001;

    cUndoManager();
    cUndoManager(const cUndoManager&) = delete;
    cUndoManager& operator=(const cUndoManager&) = delete;
    // Discards every step but the sentinel.
    ~cUndoManager() override;

    BOOL CanUndo() const;
    BOOL CanRedo() const;
    // Drops (and discards) the redo steps and, beyond the capacity, the
    // oldest step; the new step becomes current.
    void Push(const UndoEntry& entry);
    // The caller checks CanUndo / CanRedo first. A step whose function throws
    // (a snapshot that cannot be read back) stays where it was in the history,
    // and the exception goes on to the caller.
    void Undo();
    void Redo();
    // Takes back a step just pushed by a change that was then abandoned:
    // when the newest step is current (nothing to redo) it is discarded and
    // removed, and the next older step becomes current. Returns whether a
    // step went.
    BOOL DropNewest();
    // "&Undo <label> \tCtrl+Z" or "&Undo\tCtrl+Z"; likewise for redo.
    CString GetUndoText() const;
    CString GetRedoText() const;
    // 1, 2, ..., 30001, then 1 again.
    int NextSnapshotNumber();

    // Discards and removes every step whose function is `function` and whose
    // param points at a record that begins with the pointer `owner`. Undo
    // then goes on with the next older remaining step. Returns how many
    // steps went.
    int DiscardStepsOf(UndoFunction function, const void* owner);

    // Layout contract starts here.
    CList<UndoEntry, const UndoEntry&> m_Entries;
    int m_Capacity;
    POSITION m_Current;
    int m_SnapshotCounter;
};
