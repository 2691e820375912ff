// Internal: the bookkeeping of lines that list boxes and combo boxes share,
// apart from the Qt widget each shows its lines in. Both controls answer a
// failure with -1 (LB_ERR, CB_ERR).
#pragma once

#include "ControlSupport.h"

#include <QString>

#include <string>

namespace orbel::controls {

inline constexpr int kNoLine = -1;

// Where a new line goes: at `index`, the end when that is out of range; in a
// sorted list after every line that is, ignoring case, not greater.
template <class LineText>
int InsertPosition(int index, int count, bool sorted, const QString& text, LineText lineText) {
    if (index < 0 || index > count) index = count;
    if (sorted) {
        index = 0;
        while (index < count && lineText(index).compare(text, Qt::CaseInsensitive) <= 0) ++index;
    }
    return index;
}

// The selection stays on its line when another line comes or goes at `index`;
// it is gone with its own line.
inline int SelectionAfterInsert(int selection, int index) { return selection >= index ? selection + 1 : selection; }
inline int SelectionAfterRemove(int selection, int index) {
    if (selection == index) return kNoLine;
    return selection > index ? selection - 1 : selection;
}

// The first line after `after`, wrapping round, that equals `text` (exact) or
// begins with it, ignoring case.
template <class LineText>
int FindLine(int after, int count, const QString& text, bool exact, LineText lineText) {
    for (int k = 1; k <= count; ++k) {
        const int i = (after + k + count) % count;
        const QString line = lineText(i);
        if (exact ? line.compare(text, Qt::CaseInsensitive) == 0 : line.startsWith(text, Qt::CaseInsensitive))
            return i;
    }
    return kNoLine;
}

// A string in lParam; none reads as empty.
inline std::string TextArgument(LPARAM lParam) { return lParam ? reinterpret_cast<const char*>(lParam) : ""; }

// A line into the caller's buffer, which is as long as the length message
// said, plus one.
inline LRESULT CopyLine(const std::string& text, LPARAM buffer) {
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out) return kNoLine;
    text.copy(out, text.size());
    out[text.size()] = '\0';
    return static_cast<LRESULT>(text.size());
}

}  // namespace orbel::controls
