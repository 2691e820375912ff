// What the plug-in classes share: the last event and the request list, the
// list lookup, and the undo hook the program never calls.
#pragma once

#include <plugins/common/Plugin.h>
#include <plugins/common/RequestList.h>

class cPluginBase : public cPlugin {
public:
    int GetRequest(int index) override { return m_Requests.Get(index); }
    // Plug-ins own no undo entries; the program never asks.
    int UndoAction(int, int) override { return 1; }

protected:
    int m_Event = 0;
    cRequestList m_Requests;
};

// A plug-in with a panel of its own class: the panel exists while the tool
// is active, and Release takes it along when the program ends with the tool
// still active.
template <class Panel>
class cPanelPlugin : public cPluginBase {
public:
    void Release() override
    {
        m_Requests.Free();
        DeletePanel();
        delete this;
    }

protected:
    // The window goes with the object.
    void DeletePanel()
    {
        delete m_pPanel;
        m_pPanel = nullptr;
    }

    Panel* m_pPanel = nullptr;
};
