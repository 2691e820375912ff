// Whether selected faces and vertices still lie within their objects.
//
// A plug-in may shorten an object's arrays while faces or vertices of it are
// selected, so a record's index can outlive what it names. Everything that
// reads an object through a record asks here first, and the selection is
// pruned after every served plug-in action.
#pragma once

#include <win32/Types.h>

class cObjekt3D;
class cSelection;

// The face exists and its three corners name vertices of the object; the
// corners are written to `corners` when given.
bool FaceWithinObject(const cObjekt3D& object, int face, WORD corners[3] = nullptr);

bool VertexWithinObject(const cObjekt3D& object, int vertex);

// Unlinks and frees face and vertex records that no longer lie within their
// objects (or name no object); returns how many went.
int PruneSelection(cSelection& selection);
