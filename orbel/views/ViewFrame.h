// What a view asks of the frame around it: serving the plug-in requests a
// view does not serve itself, announcing a changed selection, and the
// status bar's coordinates. The main frame implements it; a view finds it
// among its parents and does without when there is none (a view outside a
// frame selects and transforms all the same).
#pragma once

#include <win32/Types.h>

class cPlugin;

class cViewFrame {
public:
    virtual ~cViewFrame() = default;

    // One request code of the plug-in, served by the frame; never redraws.
    virtual void ServeRequest(cPlugin* plugin, int code) = 0;
    // Refreshes the panels and serves the current plug-in's PE_REFRESH.
    virtual void NotifySelectionChanged() = 0;
    // Ends the current tool: its HidePanel, and the panels name no tool.
    virtual void DropCurrentPlugin() = 0;
    // The X, Y, Z panes; the values only when show is TRUE.
    virtual void ShowCoordinates(BOOL show, float x, float y, float z) = 0;
};
