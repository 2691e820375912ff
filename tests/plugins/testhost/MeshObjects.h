// Objects for the modify tools' tests, and checks of what the tools must
// leave behind in any object they rework.
#pragma once

#include <d3d8/D3D8.h>
#include <model/Objekt3D.h>

#include <array>
#include <set>
#include <vector>

class PluginTestHost;

namespace orbel::test {

// A new object added to the host's document; selected when `select`.
cObjekt3D* AddObject(PluginTestHost& host, cObjekt3D* object, bool select = true);
// Makes exactly these objects the selection and tells the current tool, as
// the views do after a click.
void SelectOnly(PluginTestHost& host, const std::vector<cObjekt3D*>& objects);

// How many steps the document's undo history holds (redo steps included).
int RecordedSteps(PluginTestHost& host);

// A D3DX sphere of radius 1 as an object (normals pointing out, texture
// coordinates 0), material -1.
cObjekt3D* MakeSphere(IDirect3DDevice8* device, int slices, int stacks);
// A flat n x n grid of quads in the z = 0 plane, two faces each, sharing
// their vertices. Face f gets material materials[f % size].
cObjekt3D* MakeGrid(int n, const std::vector<int>& materials);
// The same grid with every face carrying three vertices of its own, so that
// neighbouring faces repeat each other's vertices exactly.
cObjekt3D* MakeSoupGrid(int n, const std::vector<int>& materials);

// Material of each face, in face order.
std::vector<int> FaceMaterials(const cObjekt3D& object);
// The runs as {material, first face} pairs.
std::vector<std::array<int, 2>> Runs(const cObjekt3D& object);

// A face as its corner positions, rotated so that the smallest corner comes
// first (the winding is kept), with its material.
struct FaceKey {
    std::array<std::array<float, 3>, 3> corners;
    int material;
    auto operator<=>(const FaceKey&) const = default;
};
std::multiset<FaceKey> FaceSet(const cObjekt3D& object);

// Every index below the vertex count, no face with a repeated vertex, runs
// that start at face 0 and grow, and face materials drawn from `allowed`.
void ExpectSoundMesh(const cObjekt3D& object, const std::set<int>& allowed);

}  // namespace orbel::test
