#include "model/UndoManager.h"

namespace {

void Discard(const UndoEntry& entry)
{
    if (entry.kind != UK_SENTINEL && entry.function != nullptr)
        entry.function(entry.param, TRUE);
}

void Run(const UndoEntry& entry)
{
    if (entry.kind == UK_FUNCTION && entry.function != nullptr)
        entry.function(entry.param, FALSE);
}

}  // namespace

cUndoManager::cUndoManager()
    : m_Entries(10), m_Capacity(kDefaultCapacity), m_Current(nullptr), m_SnapshotCounter(0)
{
    UndoEntry sentinel;
    m_Current = m_Entries.AddHead(sentinel);
}

cUndoManager::~cUndoManager()
{
    while (!m_Entries.IsEmpty()) {
        UndoEntry entry = m_Entries.RemoveHead();
        Discard(entry);
    }
    m_Current = nullptr;
}

BOOL cUndoManager::CanUndo() const
{
    return !m_Entries.IsEmpty() && m_Current != m_Entries.GetTailPosition();
}

BOOL cUndoManager::CanRedo() const
{
    return !m_Entries.IsEmpty() && m_Current != m_Entries.GetHeadPosition();
}

void cUndoManager::Push(const UndoEntry& entry)
{
    while (CanRedo()) {
        UndoEntry lost = m_Entries.RemoveHead();
        Discard(lost);
    }
    if (m_Entries.GetCount() > m_Capacity) {
        POSITION oldest = m_Entries.GetTailPosition();
        m_Entries.GetPrev(oldest);
        UndoEntry dropped = m_Entries.GetAt(oldest);
        m_Entries.RemoveAt(oldest);
        Discard(dropped);
    }
    UndoEntry copy = entry;
    m_Current = m_Entries.AddHead(copy);
}

void cUndoManager::Undo()
{
    POSITION older = m_Current;
    const UndoEntry& step = m_Entries.GetNext(older);
    Run(step);
    m_Current = older;
}

void cUndoManager::Redo()
{
    POSITION newer = m_Current;
    m_Entries.GetPrev(newer);
    Run(m_Entries.GetAt(newer));
    m_Current = newer;
}

BOOL cUndoManager::DropNewest()
{
    if (!CanUndo() || CanRedo())
        return FALSE;
    UndoEntry gone = m_Entries.RemoveHead();
    m_Current = m_Entries.GetHeadPosition();
    Discard(gone);
    return TRUE;
}

CString cUndoManager::GetUndoText() const
{
    if (!CanUndo())
        return CString("&Undo\tCtrl+Z");
    return CString("&Undo ") + m_Entries.GetAt(m_Current).label + CString(" \tCtrl+Z");
}

CString cUndoManager::GetRedoText() const
{
    if (!CanRedo())
        return CString("&Redo\tCtrl+Y");
    POSITION newer = m_Current;
    m_Entries.GetPrev(newer);
    return CString("&Redo ") + m_Entries.GetAt(newer).label + CString(" \tCtrl+Y");
}

int cUndoManager::NextSnapshotNumber()
{
    if (m_SnapshotCounter >= kLastSnapshotNumber)
        m_SnapshotCounter = 0;
    return ++m_SnapshotCounter;
}

int cUndoManager::DiscardStepsOf(UndoFunction function, const void* owner)
{
    int removed = 0;
    for (POSITION pos = m_Entries.GetHeadPosition(); pos != nullptr;) {
        const POSITION here = pos;
        const UndoEntry& entry = m_Entries.GetNext(pos);
        if (entry.kind != UK_FUNCTION || entry.function != function || entry.param == 0)
            continue;
        if (*reinterpret_cast<const void* const*>(entry.param) != owner)
            continue;
        if (here == m_Current)
            m_Current = pos;  // the next older step; the sentinel at worst
        UndoEntry gone = m_Entries.GetAt(here);
        m_Entries.RemoveAt(here);
        Discard(gone);
        ++removed;
    }
    return removed;
}
