// What the user has selected: whole objects, single faces or single vertices.
//
// Every add puts its entry at the head, so the head of each list is the most
// recently selected entry ("the first selected object"). Entries are matched
// by object id, never by pointer. Shared with the plug-ins by layout.
#pragma once

#include <framework/Core.h>

class cObjekt3D;

// A selected face or vertex. Records are allocated with new by whoever
// selects and belong to the selection once added.
struct SelectedElement {
    cObjekt3D* object;
    int index;
};

class cSelection : public CObject {
    DECLARE_SERIAL(cSelection)

public:
    cSelection();
    cSelection(const cSelection&) = delete;
    cSelection& operator=(const cSelection&) = delete;
    ~cSelection() override;

    // With unique TRUE an object (or face/vertex record) already listed is not
    // added again; a rejected record is freed.
    void AddObject(cObjekt3D* object, BOOL unique);
    void AddFace(SelectedElement* record, BOOL unique);
    void AddVertex(SelectedElement* record, BOOL unique);
    // Unlink the first matching entry; the removed face/vertex record is
    // freed, the given one stays the caller's.
    void RemoveObject(cObjekt3D* object);
    void RemoveFace(const SelectedElement* record);
    void RemoveVertex(const SelectedElement* record);
    // TRUE if any of the three lists had an entry.
    BOOL Clear();

    // The head object's colour (r, g, b 0..255, 1.0); 150, 150, 150, 1.0 with
    // no object selected.
    void GetColour(float colour[4]) const;
    void SetColour(float r, float g, float b, float a);
    // "None Selected", "Multiple Selection" or the one object's name.
    CString GetName() const;
    void SetName(const CString& name);

    // Layout contract starts here.
    CList<cObjekt3D*, cObjekt3D*> m_Objects;
    CList<SelectedElement*, SelectedElement*> m_Faces;
    CList<SelectedElement*, SelectedElement*> m_Vertices;
};
