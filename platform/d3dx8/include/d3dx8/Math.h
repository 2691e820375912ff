// Vector, matrix, quaternion, plane and colour types of the D3DX utility
// interface and the functions that work on them.
//
// Conventions: left-handed coordinates, row vectors (p' = p x M, so a chain
// A x B applies A first), angles in radians, single precision. Every function
// writes its result through the first pointer and returns it; the output may
// alias an input. Projection matrices map view-space z to 0..1.
//
// Left out: right-handed (RH) and off-centre projections and views, 2D and
// 4D vector functions other than the ones declared here, spline and
// barycentric interpolation, matrix stacks, half-precision floats and the
// Fresnel term.
// Refused: a singular or non-finite matrix in D3DXMatrixInverse, a line
// parallel to the plane in D3DXPlaneIntersectLine and an empty viewport in
// D3DXVec3Unproject return NULL and leave the output as it was.
#pragma once

#include <d3d8/Types.h>

#define D3DX_PI 3.141592654f
#define D3DX_1BYPI 0.318309886f
#define D3DXToRadian(degree) ((degree) * (D3DX_PI / 180.0f))
#define D3DXToDegree(radian) ((radian) * (180.0f / D3DX_PI))

// Value types. Default construction yields zeros (the identity for
// D3DXQUATERNION is not implied: it is zero too, use D3DXQuaternionIdentity).

struct D3DXVECTOR2 {
    float x = 0.0f;
    float y = 0.0f;

    D3DXVECTOR2() = default;
    explicit D3DXVECTOR2(const float* xy);
    D3DXVECTOR2(float x, float y);

    operator float*();
    operator const float*() const;

    D3DXVECTOR2& operator+=(const D3DXVECTOR2& v);
    D3DXVECTOR2& operator-=(const D3DXVECTOR2& v);
    D3DXVECTOR2& operator*=(float f);
    D3DXVECTOR2& operator/=(float f);

    D3DXVECTOR2 operator+() const;
    D3DXVECTOR2 operator-() const;
    D3DXVECTOR2 operator+(const D3DXVECTOR2& v) const;
    D3DXVECTOR2 operator-(const D3DXVECTOR2& v) const;
    D3DXVECTOR2 operator*(float f) const;
    D3DXVECTOR2 operator/(float f) const;
    friend D3DXVECTOR2 operator*(float f, const D3DXVECTOR2& v);

    bool operator==(const D3DXVECTOR2& v) const;
    bool operator!=(const D3DXVECTOR2& v) const;
};

struct D3DXVECTOR3 : D3DVECTOR {
    D3DXVECTOR3();
    explicit D3DXVECTOR3(const float* xyz);
    D3DXVECTOR3(const D3DVECTOR& v);
    D3DXVECTOR3(float x, float y, float z);

    operator float*();
    operator const float*() const;

    D3DXVECTOR3& operator+=(const D3DXVECTOR3& v);
    D3DXVECTOR3& operator-=(const D3DXVECTOR3& v);
    D3DXVECTOR3& operator*=(float f);
    D3DXVECTOR3& operator/=(float f);

    D3DXVECTOR3 operator+() const;
    D3DXVECTOR3 operator-() const;
    D3DXVECTOR3 operator+(const D3DXVECTOR3& v) const;
    D3DXVECTOR3 operator-(const D3DXVECTOR3& v) const;
    D3DXVECTOR3 operator*(float f) const;
    D3DXVECTOR3 operator/(float f) const;
    friend D3DXVECTOR3 operator*(float f, const D3DXVECTOR3& v);

    bool operator==(const D3DXVECTOR3& v) const;
    bool operator!=(const D3DXVECTOR3& v) const;
};
static_assert(sizeof(D3DXVECTOR3) == 12, "vectors are stored and copied as three floats");

struct D3DXVECTOR4 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    D3DXVECTOR4() = default;
    explicit D3DXVECTOR4(const float* xyzw);
    D3DXVECTOR4(float x, float y, float z, float w);

    operator float*();
    operator const float*() const;

    D3DXVECTOR4& operator+=(const D3DXVECTOR4& v);
    D3DXVECTOR4& operator-=(const D3DXVECTOR4& v);
    D3DXVECTOR4& operator*=(float f);
    D3DXVECTOR4& operator/=(float f);

    D3DXVECTOR4 operator+() const;
    D3DXVECTOR4 operator-() const;
    D3DXVECTOR4 operator+(const D3DXVECTOR4& v) const;
    D3DXVECTOR4 operator-(const D3DXVECTOR4& v) const;
    D3DXVECTOR4 operator*(float f) const;
    D3DXVECTOR4 operator/(float f) const;
    friend D3DXVECTOR4 operator*(float f, const D3DXVECTOR4& v);

    bool operator==(const D3DXVECTOR4& v) const;
    bool operator!=(const D3DXVECTOR4& v) const;
};

struct D3DXMATRIX : D3DMATRIX {
    D3DXMATRIX();
    explicit D3DXMATRIX(const float* rowMajor16);
    D3DXMATRIX(const D3DMATRIX& m);
    D3DXMATRIX(float m11, float m12, float m13, float m14,
               float m21, float m22, float m23, float m24,
               float m31, float m32, float m33, float m34,
               float m41, float m42, float m43, float m44);

    // Element of row `row`, column `col`, both 0..3.
    float& operator()(UINT row, UINT col);
    float operator()(UINT row, UINT col) const;

    operator float*();
    operator const float*() const;

    D3DXMATRIX& operator*=(const D3DXMATRIX& m);
    D3DXMATRIX& operator+=(const D3DXMATRIX& m);
    D3DXMATRIX& operator-=(const D3DXMATRIX& m);
    D3DXMATRIX& operator*=(float f);
    D3DXMATRIX& operator/=(float f);

    D3DXMATRIX operator+() const;
    D3DXMATRIX operator-() const;
    D3DXMATRIX operator*(const D3DXMATRIX& m) const;
    D3DXMATRIX operator+(const D3DXMATRIX& m) const;
    D3DXMATRIX operator-(const D3DXMATRIX& m) const;
    D3DXMATRIX operator*(float f) const;
    D3DXMATRIX operator/(float f) const;
    friend D3DXMATRIX operator*(float f, const D3DXMATRIX& m);

    bool operator==(const D3DXMATRIX& m) const;
    bool operator!=(const D3DXMATRIX& m) const;
};
static_assert(sizeof(D3DXMATRIX) == 64, "matrices are stored and copied as sixteen floats");

// A rotation as x, y, z (vector part) and w (scalar part).
struct D3DXQUATERNION {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    D3DXQUATERNION() = default;
    explicit D3DXQUATERNION(const float* xyzw);
    D3DXQUATERNION(float x, float y, float z, float w);

    operator float*();
    operator const float*() const;

    D3DXQUATERNION& operator+=(const D3DXQUATERNION& q);
    D3DXQUATERNION& operator-=(const D3DXQUATERNION& q);
    // Same order as D3DXQuaternionMultiply: *this first, then q.
    D3DXQUATERNION& operator*=(const D3DXQUATERNION& q);
    D3DXQUATERNION& operator*=(float f);
    D3DXQUATERNION& operator/=(float f);

    D3DXQUATERNION operator+() const;
    D3DXQUATERNION operator-() const;
    D3DXQUATERNION operator+(const D3DXQUATERNION& q) const;
    D3DXQUATERNION operator-(const D3DXQUATERNION& q) const;
    D3DXQUATERNION operator*(const D3DXQUATERNION& q) const;
    D3DXQUATERNION operator*(float f) const;
    D3DXQUATERNION operator/(float f) const;
    friend D3DXQUATERNION operator*(float f, const D3DXQUATERNION& q);

    bool operator==(const D3DXQUATERNION& q) const;
    bool operator!=(const D3DXQUATERNION& q) const;
};

// The plane a*x + b*y + c*z + d = 0.
struct D3DXPLANE {
    float a = 0.0f;
    float b = 0.0f;
    float c = 0.0f;
    float d = 0.0f;

    D3DXPLANE() = default;
    explicit D3DXPLANE(const float* abcd);
    D3DXPLANE(float a, float b, float c, float d);

    operator float*();
    operator const float*() const;

    D3DXPLANE operator+() const;
    D3DXPLANE operator-() const;

    bool operator==(const D3DXPLANE& p) const;
    bool operator!=(const D3DXPLANE& p) const;
};

// A colour with float channels; converts to and from packed ARGB.
struct D3DXCOLOR : D3DCOLORVALUE {
    D3DXCOLOR();
    D3DXCOLOR(DWORD argb);
    explicit D3DXCOLOR(const float* rgba);
    D3DXCOLOR(const D3DCOLORVALUE& c);
    D3DXCOLOR(float r, float g, float b, float a);

    // Channels are clamped to 0..1 and rounded to the nearest of 0..255.
    operator DWORD() const;
    operator float*();
    operator const float*() const;

    D3DXCOLOR& operator+=(const D3DXCOLOR& c);
    D3DXCOLOR& operator-=(const D3DXCOLOR& c);
    D3DXCOLOR& operator*=(float f);
    D3DXCOLOR& operator/=(float f);

    D3DXCOLOR operator+() const;
    D3DXCOLOR operator-() const;
    D3DXCOLOR operator+(const D3DXCOLOR& c) const;
    D3DXCOLOR operator-(const D3DXCOLOR& c) const;
    D3DXCOLOR operator*(float f) const;
    D3DXCOLOR operator/(float f) const;
    friend D3DXCOLOR operator*(float f, const D3DXCOLOR& c);

    bool operator==(const D3DXCOLOR& c) const;
    bool operator!=(const D3DXCOLOR& c) const;
};

// 3-vectors.
ORBEL_API float D3DXVec3Length(const D3DXVECTOR3* pV);
ORBEL_API float D3DXVec3LengthSq(const D3DXVECTOR3* pV);
ORBEL_API float D3DXVec3Dot(const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
ORBEL_API D3DXVECTOR3* D3DXVec3Cross(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
ORBEL_API D3DXVECTOR3* D3DXVec3Add(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
ORBEL_API D3DXVECTOR3* D3DXVec3Subtract(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
ORBEL_API D3DXVECTOR3* D3DXVec3Scale(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, float s);
// pV1 + s * (pV2 - pV1).
ORBEL_API D3DXVECTOR3* D3DXVec3Lerp(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2, float s);
ORBEL_API D3DXVECTOR3* D3DXVec3Minimize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
ORBEL_API D3DXVECTOR3* D3DXVec3Maximize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2);
// A zero-length vector normalises to the zero vector.
ORBEL_API D3DXVECTOR3* D3DXVec3Normalize(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV);
// (x, y, z, 1) x M, divided by the resulting w.
ORBEL_API D3DXVECTOR3* D3DXVec3TransformCoord(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM);
// (x, y, z, 1) x M without the division.
ORBEL_API D3DXVECTOR4* D3DXVec3Transform(D3DXVECTOR4* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM);
// (x, y, z, 0) x M: direction only, translation ignored.
ORBEL_API D3DXVECTOR3* D3DXVec3TransformNormal(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DXMATRIX* pM);
// Object space to viewport pixels (x, y) and depth (z in MinZ..MaxZ). Any of
// the three matrices may be NULL and then counts as the identity.
ORBEL_API D3DXVECTOR3* D3DXVec3Project(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DVIEWPORT8* pViewport,
                                       const D3DXMATRIX* pProjection, const D3DXMATRIX* pView,
                                       const D3DXMATRIX* pWorld);
// The inverse of D3DXVec3Project. Returns NULL, leaving *pOut unchanged, when
// the combined matrix has no inverse or the viewport has no area or no depth range.
ORBEL_API D3DXVECTOR3* D3DXVec3Unproject(D3DXVECTOR3* pOut, const D3DXVECTOR3* pV, const D3DVIEWPORT8* pViewport,
                                         const D3DXMATRIX* pProjection, const D3DXMATRIX* pView,
                                         const D3DXMATRIX* pWorld);

// 4-vectors.
ORBEL_API D3DXVECTOR4* D3DXVec4Transform(D3DXVECTOR4* pOut, const D3DXVECTOR4* pV, const D3DXMATRIX* pM);

// Matrices.
ORBEL_API D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* pOut);
ORBEL_API BOOL D3DXMatrixIsIdentity(const D3DXMATRIX* pM);
ORBEL_API float D3DXMatrixDeterminant(const D3DXMATRIX* pM);
// pM1 x pM2: pM1's transformation first.
ORBEL_API D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* pOut, const D3DXMATRIX* pM1, const D3DXMATRIX* pM2);
ORBEL_API D3DXMATRIX* D3DXMatrixTranspose(D3DXMATRIX* pOut, const D3DXMATRIX* pM);
// Returns NULL, leaving *pOut unchanged, when pM has no inverse (its
// determinant is zero or not finite). pDeterminant may be NULL; when given it
// receives the determinant either way.
ORBEL_API D3DXMATRIX* D3DXMatrixInverse(D3DXMATRIX* pOut, float* pDeterminant, const D3DXMATRIX* pM);
ORBEL_API D3DXMATRIX* D3DXMatrixScaling(D3DXMATRIX* pOut, float sx, float sy, float sz);
ORBEL_API D3DXMATRIX* D3DXMatrixTranslation(D3DXMATRIX* pOut, float x, float y, float z);
// Rotations are clockwise looking along the axis towards the origin (left-handed).
ORBEL_API D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* pOut, float angle);
ORBEL_API D3DXMATRIX* D3DXMatrixRotationY(D3DXMATRIX* pOut, float angle);
ORBEL_API D3DXMATRIX* D3DXMatrixRotationZ(D3DXMATRIX* pOut, float angle);
// The axis need not be of unit length.
ORBEL_API D3DXMATRIX* D3DXMatrixRotationAxis(D3DXMATRIX* pOut, const D3DXVECTOR3* pV, float angle);
// Rz(roll) x Rx(pitch) x Ry(yaw): roll first, then pitch, then yaw.
ORBEL_API D3DXMATRIX* D3DXMatrixRotationYawPitchRoll(D3DXMATRIX* pOut, float yaw, float pitch, float roll);
ORBEL_API D3DXMATRIX* D3DXMatrixRotationQuaternion(D3DXMATRIX* pOut, const D3DXQUATERNION* pQ);
ORBEL_API D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* pOut, const D3DXVECTOR3* pEye, const D3DXVECTOR3* pAt,
                                         const D3DXVECTOR3* pUp);
// fovy is the full vertical angle; aspect is width / height.
ORBEL_API D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* pOut, float fovy, float aspect, float zn, float zf);
ORBEL_API D3DXMATRIX* D3DXMatrixOrthoLH(D3DXMATRIX* pOut, float w, float h, float zn, float zf);

// Quaternions.
ORBEL_API D3DXQUATERNION* D3DXQuaternionIdentity(D3DXQUATERNION* pOut);
ORBEL_API float D3DXQuaternionLength(const D3DXQUATERNION* pQ);
ORBEL_API float D3DXQuaternionDot(const D3DXQUATERNION* pQ1, const D3DXQUATERNION* pQ2);
ORBEL_API D3DXQUATERNION* D3DXQuaternionConjugate(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ);
// A zero quaternion normalises to zero.
ORBEL_API D3DXQUATERNION* D3DXQuaternionNormalize(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ);
// The rotation pQ1 followed by pQ2 (the quaternion product pQ2 * pQ1).
ORBEL_API D3DXQUATERNION* D3DXQuaternionMultiply(D3DXQUATERNION* pOut, const D3DXQUATERNION* pQ1,
                                                 const D3DXQUATERNION* pQ2);
// Same sense as D3DXMatrixRotationAxis; the axis need not be of unit length.
ORBEL_API D3DXQUATERNION* D3DXQuaternionRotationAxis(D3DXQUATERNION* pOut, const D3DXVECTOR3* pV, float angle);
ORBEL_API D3DXQUATERNION* D3DXQuaternionRotationYawPitchRoll(D3DXQUATERNION* pOut, float yaw, float pitch,
                                                             float roll);

// Planes.
ORBEL_API D3DXPLANE* D3DXPlaneFromPointNormal(D3DXPLANE* pOut, const D3DXVECTOR3* pPoint,
                                              const D3DXVECTOR3* pNormal);
// Normal = normalised (v2 - v1) x (v3 - v1).
ORBEL_API D3DXPLANE* D3DXPlaneFromPoints(D3DXPLANE* pOut, const D3DXVECTOR3* pV1, const D3DXVECTOR3* pV2,
                                         const D3DXVECTOR3* pV3);
ORBEL_API D3DXPLANE* D3DXPlaneNormalize(D3DXPLANE* pOut, const D3DXPLANE* pP);
// a*x + b*y + c*z + d.
ORBEL_API float D3DXPlaneDotCoord(const D3DXPLANE* pP, const D3DXVECTOR3* pV);
// a*x + b*y + c*z.
ORBEL_API float D3DXPlaneDotNormal(const D3DXPLANE* pP, const D3DXVECTOR3* pV);
// Where the infinite line through pV1 and pV2 meets the plane. Returns NULL,
// leaving *pOut unchanged, when the line is parallel to the plane (or so
// nearly parallel that the point is not finite).
ORBEL_API D3DXVECTOR3* D3DXPlaneIntersectLine(D3DXVECTOR3* pOut, const D3DXPLANE* pP, const D3DXVECTOR3* pV1,
                                              const D3DXVECTOR3* pV2);

#include <d3dx8/MathInline.h>
