// The "Point" tool: every left click in a view adds one vertex, part of no
// face, to the first selected object where the click meets the view's
// construction plane. While nothing is selected clicks pass through to the
// view, so the user can select the object that is to receive the points.
#pragma once

#include <plugins/common/PluginBase.h>

class cDialogPlugin;
class cSelection;

class cPointCreator : public cPanelPlugin<cDialogPlugin> {
public:
    cPointCreator();

    void ShowPanel(CWnd* parent) override;
    void HidePanel() override;
    bool OnEvent(int event) override;
    int GetRequestCount() override;
    const char* GetText(int request) override;
    void SetParam(int request, void* value) override;
    const char* GetName() override;

private:
    ~cPointCreator() override = default;
    void Clear();
    bool HasSelectedObject() const;
    void AddPoint(const float* world);
    void ShowSelectionStatus();

    cSelection* m_pSelection = nullptr;
};
