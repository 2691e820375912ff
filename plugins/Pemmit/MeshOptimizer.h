// The "Optimize Mesh" tool: reduces the one selected object to a percentage
// of its vertices, one undo step per run. While the selection stays, every
// run starts again from the object as it was at the first run, so the user
// can go down to 20 % and back up to 60 % of the original.
#pragma once

#include "plugins/Pemmit/MeshReduction.h"

#include <plugins/common/ModifyPlugin.h>

#include <d3dx8/D3DX8.h>

class cDialogPlugin;
class cObjekt3D;

class cMeshOptimizer : public cModifyPlugin<cDialogPlugin> {
public:
    cMeshOptimizer();

    void Release() override;
    const char* GetName() override;

private:
    ~cMeshOptimizer() override = default;

    void Reset() override;
    const char* ActivationText() const override;
    const char* UndoLabel() const override;
    void OnSelection() override;
    void OnPanelAction() override;
    bool CanRun() const override;
    void OnExecute() override { RunReduce(); }

    // Reduces the one selected object; "Object optimized" when it worked.
    void RunReduce();
    bool ReduceMesh(cObjekt3D& object);

    // The full-detail mesh of the selected object as the first run after
    // the last selection found it, with the progressive levels made from it
    // so far, so that a further run mostly picks another level. Dropped
    // whenever the selection is handed over again.
    KeptBaseMesh m_BaseMesh;
};
