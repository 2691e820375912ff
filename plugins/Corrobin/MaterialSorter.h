// The "Optimize Material Changes" tool: reorders the faces of every selected
// object so that each material's faces lie together, and its vertices for
// the display's vertex cache, at once when the button is pressed. The shape
// and the materials stay; the press records no undo step of its own.
#pragma once

#include <plugins/common/ModifyPlugin.h>

class cDialogPlugin;
class cObjekt3D;

class cMaterialSorter : public cModifyPlugin<cDialogPlugin> {
public:
    cMaterialSorter();

    const char* GetName() override;

private:
    ~cMaterialSorter() override = default;

    const char* ActivationText() const override;
    void OnSelection() override;
    void OnPanelAction() override;

    // Sorts every selected object by material, then "Objects optimized".
    void OptimizeSelection();
    void OptimizeMeshOrder(cObjekt3D& object);
};
