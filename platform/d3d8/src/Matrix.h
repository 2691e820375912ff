// Row-vector matrix helpers the device needs for its own bookkeeping.
#pragma once

#include <d3d8/Types.h>

namespace orbel::d3d8 {

inline D3DMATRIX IdentityMatrix() {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

// a then b: a point p goes to p * a * b.
inline D3DMATRIX MultiplyMatrices(const D3DMATRIX& a, const D3DMATRIX& b) {
    D3DMATRIX r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
    return r;
}

}  // namespace orbel::d3d8
