// What the document needs of each of its views. A view class derives from
// its framework view and from this; the document finds it on each entry of
// its view list with dynamic_cast and skips views that don't implement it.
#pragma once

class CArchive;

class cSceneView {
public:
    virtual ~cSceneView() = default;

    // Put the camera back to the default of the view's current kind, with no
    // undo step (every new, opened or restored scene starts so).
    virtual void ResetViewToKind() = 0;
    // The view's block of the scene file.
    virtual void WriteViewBlock(CArchive& ar) = 0;
    // Read and check the view's block into a pending copy without changing
    // what the view shows; throw the framework's archive exception for a
    // block that cannot be used. Nothing is applied if a later part of the
    // file fails.
    virtual void ReadViewBlock(CArchive& ar) = 0;
    // Put the pending block into force; called once the whole file has been
    // read and the new scene swapped in, after ResetViewToKind.
    virtual void ApplyViewBlock() = 0;
};
