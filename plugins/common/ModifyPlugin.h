// What the modify tools share: they work on the document's selected objects
// with the program's device, take both when chosen and the selection again
// at every change, report in their panel's status line, and may ask the
// frame to run their work as one undoable step.
//
// A tool supplies its texts and what it does with a new selection, a press
// of its panel's button and, when it has an undo label, the run the frame
// starts for it.
#pragma once

#include <plugins/common/PluginBase.h>

#include <d3d8/D3D8.h>
#include <model/Selection.h>

template <class Panel>
class cModifyPlugin : public cPanelPlugin<Panel> {
public:
    void ShowPanel(CWnd* parent) override
    {
        Reset();
        this->DeletePanel();
        this->m_pPanel = new Panel;
        this->m_pPanel->CreatePanel(parent);
    }

    void HidePanel() override
    {
        this->DeletePanel();
        Reset();
    }

    bool OnEvent(int event) override
    {
        this->m_Event = event;
        switch (event) {
        case PE_ACTIVATE:
            SetStatusText(ActivationText());
            return true;
        case PE_REFRESH:
            return true;
        case PE_EXECUTE:
            // The tool may have been dropped, or the selection changed, since
            // the run was asked for: a run that cannot work records no step.
            return UndoLabel() != nullptr && this->m_pPanel != nullptr && m_pSelection != nullptr && CanRun();
        default:
            return false;
        }
    }

    int GetRequestCount() override
    {
        switch (this->m_Event) {
        case PE_ACTIVATE:
            Reset();
            return this->m_Requests.Build({PR_DEVICE, PR_SELECTION});
        case PE_REFRESH:
            return this->m_Requests.Build({PR_SELECTION});
        case PE_EXECUTE:
            if (UndoLabel() != nullptr)
                return this->m_Requests.Build({PR_UNDO_POINT, PR_EXECUTE});
            break;
        default:
            break;
        }
        this->m_Requests.Free();
        return 0;
    }

    const char* GetText(int request) override { return request == PR_UNDO_POINT ? UndoLabel() : nullptr; }

    void SetParam(int request, void* value) override
    {
        switch (request) {
        case PR_DEVICE:
            m_pDevice = static_cast<IDirect3DDevice8*>(value);
            break;
        case PR_SELECTION:
            m_pSelection = static_cast<cSelection*>(value);
            OnSelection();
            break;
        case PR_PANEL_ACTION:
            OnPanelAction();
            break;
        case PR_EXECUTE:
            if (UndoLabel() != nullptr)
                OnExecute();
            break;
        default:
            break;
        }
    }

protected:
    // Forgets the event, the request list and the borrowed pointers.
    virtual void Reset()
    {
        this->m_Event = 0;
        this->m_Requests.Free();
        m_pDevice = nullptr;
        m_pSelection = nullptr;
    }

    virtual const char* ActivationText() const = 0;
    // The label of the tool's undo step; null for a tool that records none
    // and so is never run by the frame.
    virtual const char* UndoLabel() const { return nullptr; }
    virtual void OnSelection() = 0;
    virtual void OnPanelAction() = 0;
    // Whether a run asked for earlier still has something to work on.
    virtual bool CanRun() const { return false; }
    virtual void OnExecute() {}

    int SelectedCount() const { return m_pSelection != nullptr ? static_cast<int>(m_pSelection->m_Objects.GetCount()) : 0; }

    void SetStatusText(const char* text)
    {
        if (this->m_pPanel != nullptr)
            this->m_pPanel->SetStatusText(text);
    }

    // Asks the frame for an undoable run (PE_EXECUTE on a later turn).
    void PostRun()
    {
        if (this->m_pPanel != nullptr)
            this->m_pPanel->PostRunPlugin(this);
    }

    // Calls work(object) for every selected object, head first.
    template <class Work>
    void ForEachSelected(Work&& work)
    {
        if (m_pSelection == nullptr)
            return;
        for (POSITION pos = m_pSelection->m_Objects.GetHeadPosition(); pos != nullptr;) {
            cObjekt3D* object = m_pSelection->m_Objects.GetNext(pos);
            if (object != nullptr)
                work(*object);
        }
    }

    IDirect3DDevice8* m_pDevice = nullptr;
    cSelection* m_pSelection = nullptr;
};
