// The "Compute Normals" tool: gives every selected object smooth vertex
// normals computed from its faces, one undo step per press. Positions,
// texture coordinates, faces and their order stay.
#pragma once

#include <plugins/common/ModifyPlugin.h>

class cDialogPlugin;
class cObjekt3D;

class cNormalGenerator : public cModifyPlugin<cDialogPlugin> {
public:
    cNormalGenerator();

    const char* GetName() override;

private:
    ~cNormalGenerator() override = default;

    const char* ActivationText() const override;
    const char* UndoLabel() const override;
    void OnSelection() override;
    void OnPanelAction() override;
    bool CanRun() const override;
    void OnExecute() override { RebuildAllNormals(); }

    // New normals for every selected object, then "Normals computed".
    void RebuildAllNormals();
    void RebuildNormals(cObjekt3D& object);
};
