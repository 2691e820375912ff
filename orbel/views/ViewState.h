// The record of one "Change View" undo step: what a change of view kind
// replaced, swapped back and forth by undo and redo.
#pragma once

#include <d3dx8/D3DX8.h>
#include <win32/Types.h>

class CMyOrbelView;

struct ViewState {
    CMyOrbelView* view = nullptr;
    INT kind = 0;
    D3DXVECTOR3 eye;
    D3DXVECTOR3 target;
    FLOAT zoom = 0.0f;
    FLOAT fieldOfView = 0.0f;
    bool grid = false;
    INT fillMode = 0;
    bool wireOverlay = false;
};

// The function of a "Change View" undo entry; param is the entry's
// ViewState. Discarding only frees the record: it never calls into the view,
// which may be gone by then.
void ViewStateProc(INT_PTR param, BOOL discard);
