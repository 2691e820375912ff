// A scene read from a file but not yet handed to the document. It owns what
// it holds until the document takes it over, so a file that fails half-way
// frees everything read so far and leaves the document untouched.
#pragma once

#include "model/Material.h"
#include "model/Objekt3D.h"
#include "model/Selection.h"

struct cLoadedScene {
    cLoadedScene() : objects(10) {}
    cLoadedScene(const cLoadedScene&) = delete;
    cLoadedScene& operator=(const cLoadedScene&) = delete;
    ~cLoadedScene()
    {
        selection.Clear();
        while (!objects.IsEmpty())
            delete objects.RemoveHead();
        for (INT_PTR i = 0; i < materials.GetSize(); ++i)
            delete materials[i];
    }

    int nextObjectId = 0;
    CArray<cMaterial*, cMaterial*> materials;
    CList<cObjekt3D*, cObjekt3D*> objects;
    cSelection selection;
};
