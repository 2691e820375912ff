// The tool modes the frame owns and the views read and write through their
// pointers, and how a click or band combines with the selection. The values
// are stored in scene files (the selection mode) and compared by plug-ins;
// they never change.
#pragma once

#include "model/SelectionMode.h"

// How a left drag moves the camera instead of selecting.
enum ViewMode : int {
    ViewModeNone = 0,
    ViewModeMove = 1,
    ViewModeRotate = 2,
    ViewModeZoom = 3,
};

// What a left drag does to the selection.
enum TransformMode : int {
    TransformSelect = 0,
    TransformMove = 1,
    TransformRotate = 2,
    TransformScale = 3,
};

// How a click or a band changes the selection: Ctrl adds, Shift removes, and
// Ctrl wins when both are held.
enum SelectAction : int {
    SelectReplace = 0,
    SelectAdd = 1,
    SelectRemove = 2,
};

// The tabs of the tools panel; the first two also index the plug-in lists
// whose tools they offer.
enum ToolsTab : int {
    TabCreate = 0,
    TabModify = 1,
    TabMaterials = 2,
};
