// Which list of the selection the tools work on. The frame owns the mode,
// the views and the edit commands act on it, and every view block of a
// scene file stores it, so the values never change.
#pragma once

enum SelectionMode : int {
    SelectObjects = 0,
    SelectFaces = 1,
    SelectVertices = 2,
    SelectLines = 3,  // no list of its own: nothing is selected in it
};
