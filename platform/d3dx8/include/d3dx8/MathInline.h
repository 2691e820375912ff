// Inline bodies of the D3DX value types' constructors and operators; included
// by <d3dx8/Math.h> only. Kept inline because the model and the views run them
// per vertex.
//
// What the value types leave out is said in <d3dx8/Math.h>.
#pragma once

#include <cstring>

// D3DXVECTOR2

inline D3DXVECTOR2::D3DXVECTOR2(const float* xy) : x(xy[0]), y(xy[1]) {}
inline D3DXVECTOR2::D3DXVECTOR2(float x_, float y_) : x(x_), y(y_) {}
inline D3DXVECTOR2::operator float*() { return &x; }
inline D3DXVECTOR2::operator const float*() const { return &x; }
inline D3DXVECTOR2& D3DXVECTOR2::operator+=(const D3DXVECTOR2& v) { x += v.x; y += v.y; return *this; }
inline D3DXVECTOR2& D3DXVECTOR2::operator-=(const D3DXVECTOR2& v) { x -= v.x; y -= v.y; return *this; }
inline D3DXVECTOR2& D3DXVECTOR2::operator*=(float f) { x *= f; y *= f; return *this; }
inline D3DXVECTOR2& D3DXVECTOR2::operator/=(float f) { x /= f; y /= f; return *this; }
inline D3DXVECTOR2 D3DXVECTOR2::operator+() const { return *this; }
inline D3DXVECTOR2 D3DXVECTOR2::operator-() const { return {-x, -y}; }
inline D3DXVECTOR2 D3DXVECTOR2::operator+(const D3DXVECTOR2& v) const { return {x + v.x, y + v.y}; }
inline D3DXVECTOR2 D3DXVECTOR2::operator-(const D3DXVECTOR2& v) const { return {x - v.x, y - v.y}; }
inline D3DXVECTOR2 D3DXVECTOR2::operator*(float f) const { return {x * f, y * f}; }
inline D3DXVECTOR2 D3DXVECTOR2::operator/(float f) const { return {x / f, y / f}; }
inline D3DXVECTOR2 operator*(float f, const D3DXVECTOR2& v) { return v * f; }
inline bool D3DXVECTOR2::operator==(const D3DXVECTOR2& v) const { return x == v.x && y == v.y; }
inline bool D3DXVECTOR2::operator!=(const D3DXVECTOR2& v) const { return !(*this == v); }

// D3DXVECTOR3

inline D3DXVECTOR3::D3DXVECTOR3() : D3DVECTOR{0.0f, 0.0f, 0.0f} {}
inline D3DXVECTOR3::D3DXVECTOR3(const float* xyz) : D3DVECTOR{xyz[0], xyz[1], xyz[2]} {}
inline D3DXVECTOR3::D3DXVECTOR3(const D3DVECTOR& v) : D3DVECTOR(v) {}
inline D3DXVECTOR3::D3DXVECTOR3(float x_, float y_, float z_) : D3DVECTOR{x_, y_, z_} {}
inline D3DXVECTOR3::operator float*() { return &x; }
inline D3DXVECTOR3::operator const float*() const { return &x; }
inline D3DXVECTOR3& D3DXVECTOR3::operator+=(const D3DXVECTOR3& v) { x += v.x; y += v.y; z += v.z; return *this; }
inline D3DXVECTOR3& D3DXVECTOR3::operator-=(const D3DXVECTOR3& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
inline D3DXVECTOR3& D3DXVECTOR3::operator*=(float f) { x *= f; y *= f; z *= f; return *this; }
inline D3DXVECTOR3& D3DXVECTOR3::operator/=(float f) { x /= f; y /= f; z /= f; return *this; }
inline D3DXVECTOR3 D3DXVECTOR3::operator+() const { return *this; }
inline D3DXVECTOR3 D3DXVECTOR3::operator-() const { return {-x, -y, -z}; }
inline D3DXVECTOR3 D3DXVECTOR3::operator+(const D3DXVECTOR3& v) const { return {x + v.x, y + v.y, z + v.z}; }
inline D3DXVECTOR3 D3DXVECTOR3::operator-(const D3DXVECTOR3& v) const { return {x - v.x, y - v.y, z - v.z}; }
inline D3DXVECTOR3 D3DXVECTOR3::operator*(float f) const { return {x * f, y * f, z * f}; }
inline D3DXVECTOR3 D3DXVECTOR3::operator/(float f) const { return {x / f, y / f, z / f}; }
inline D3DXVECTOR3 operator*(float f, const D3DXVECTOR3& v) { return v * f; }
inline bool D3DXVECTOR3::operator==(const D3DXVECTOR3& v) const { return x == v.x && y == v.y && z == v.z; }
inline bool D3DXVECTOR3::operator!=(const D3DXVECTOR3& v) const { return !(*this == v); }

// D3DXVECTOR4

inline D3DXVECTOR4::D3DXVECTOR4(const float* v) : x(v[0]), y(v[1]), z(v[2]), w(v[3]) {}
inline D3DXVECTOR4::D3DXVECTOR4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
inline D3DXVECTOR4::operator float*() { return &x; }
inline D3DXVECTOR4::operator const float*() const { return &x; }
inline D3DXVECTOR4& D3DXVECTOR4::operator+=(const D3DXVECTOR4& v) { x += v.x; y += v.y; z += v.z; w += v.w; return *this; }
inline D3DXVECTOR4& D3DXVECTOR4::operator-=(const D3DXVECTOR4& v) { x -= v.x; y -= v.y; z -= v.z; w -= v.w; return *this; }
inline D3DXVECTOR4& D3DXVECTOR4::operator*=(float f) { x *= f; y *= f; z *= f; w *= f; return *this; }
inline D3DXVECTOR4& D3DXVECTOR4::operator/=(float f) { x /= f; y /= f; z /= f; w /= f; return *this; }
inline D3DXVECTOR4 D3DXVECTOR4::operator+() const { return *this; }
inline D3DXVECTOR4 D3DXVECTOR4::operator-() const { return {-x, -y, -z, -w}; }
inline D3DXVECTOR4 D3DXVECTOR4::operator+(const D3DXVECTOR4& v) const { return {x + v.x, y + v.y, z + v.z, w + v.w}; }
inline D3DXVECTOR4 D3DXVECTOR4::operator-(const D3DXVECTOR4& v) const { return {x - v.x, y - v.y, z - v.z, w - v.w}; }
inline D3DXVECTOR4 D3DXVECTOR4::operator*(float f) const { return {x * f, y * f, z * f, w * f}; }
inline D3DXVECTOR4 D3DXVECTOR4::operator/(float f) const { return {x / f, y / f, z / f, w / f}; }
inline D3DXVECTOR4 operator*(float f, const D3DXVECTOR4& v) { return v * f; }
inline bool D3DXVECTOR4::operator==(const D3DXVECTOR4& v) const { return x == v.x && y == v.y && z == v.z && w == v.w; }
inline bool D3DXVECTOR4::operator!=(const D3DXVECTOR4& v) const { return !(*this == v); }

// D3DXMATRIX

inline D3DXMATRIX::D3DXMATRIX() : D3DMATRIX{} {}
inline D3DXMATRIX::D3DXMATRIX(const float* f) : D3DMATRIX{} { std::memcpy(m, f, sizeof(m)); }
inline D3DXMATRIX::D3DXMATRIX(const D3DMATRIX& mat) : D3DMATRIX(mat) {}
inline D3DXMATRIX::D3DXMATRIX(float m11, float m12, float m13, float m14,
                              float m21, float m22, float m23, float m24,
                              float m31, float m32, float m33, float m34,
                              float m41, float m42, float m43, float m44)
    : D3DMATRIX{}
{
    m[0][0] = m11; m[0][1] = m12; m[0][2] = m13; m[0][3] = m14;
    m[1][0] = m21; m[1][1] = m22; m[1][2] = m23; m[1][3] = m24;
    m[2][0] = m31; m[2][1] = m32; m[2][2] = m33; m[2][3] = m34;
    m[3][0] = m41; m[3][1] = m42; m[3][2] = m43; m[3][3] = m44;
}
inline float& D3DXMATRIX::operator()(UINT row, UINT col) { return m[row][col]; }
inline float D3DXMATRIX::operator()(UINT row, UINT col) const { return m[row][col]; }
inline D3DXMATRIX::operator float*() { return &m[0][0]; }
inline D3DXMATRIX::operator const float*() const { return &m[0][0]; }

inline D3DXMATRIX& D3DXMATRIX::operator*=(const D3DXMATRIX& other)
{
    D3DXMatrixMultiply(this, this, &other);
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator+=(const D3DXMATRIX& other)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m[r][c] += other.m[r][c];
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator-=(const D3DXMATRIX& other)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) m[r][c] -= other.m[r][c];
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator*=(float f)
{
    for (auto& row : m)
        for (float& e : row) e *= f;
    return *this;
}
inline D3DXMATRIX& D3DXMATRIX::operator/=(float f)
{
    for (auto& row : m)
        for (float& e : row) e /= f;
    return *this;
}
inline D3DXMATRIX D3DXMATRIX::operator+() const { return *this; }
inline D3DXMATRIX D3DXMATRIX::operator-() const { return *this * -1.0f; }
inline D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& other) const
{
    D3DXMATRIX out;
    D3DXMatrixMultiply(&out, this, &other);
    return out;
}
inline D3DXMATRIX D3DXMATRIX::operator+(const D3DXMATRIX& other) const { D3DXMATRIX r(*this); return r += other; }
inline D3DXMATRIX D3DXMATRIX::operator-(const D3DXMATRIX& other) const { D3DXMATRIX r(*this); return r -= other; }
inline D3DXMATRIX D3DXMATRIX::operator*(float f) const { D3DXMATRIX r(*this); return r *= f; }
inline D3DXMATRIX D3DXMATRIX::operator/(float f) const { D3DXMATRIX r(*this); return r /= f; }
inline D3DXMATRIX operator*(float f, const D3DXMATRIX& mat) { return mat * f; }
inline bool D3DXMATRIX::operator==(const D3DXMATRIX& other) const
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (m[r][c] != other.m[r][c]) return false;
    return true;
}
inline bool D3DXMATRIX::operator!=(const D3DXMATRIX& other) const { return !(*this == other); }

// D3DXQUATERNION

inline D3DXQUATERNION::D3DXQUATERNION(const float* q) : x(q[0]), y(q[1]), z(q[2]), w(q[3]) {}
inline D3DXQUATERNION::D3DXQUATERNION(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
inline D3DXQUATERNION::operator float*() { return &x; }
inline D3DXQUATERNION::operator const float*() const { return &x; }
inline D3DXQUATERNION& D3DXQUATERNION::operator+=(const D3DXQUATERNION& q) { x += q.x; y += q.y; z += q.z; w += q.w; return *this; }
inline D3DXQUATERNION& D3DXQUATERNION::operator-=(const D3DXQUATERNION& q) { x -= q.x; y -= q.y; z -= q.z; w -= q.w; return *this; }
inline D3DXQUATERNION& D3DXQUATERNION::operator*=(const D3DXQUATERNION& q)
{
    D3DXQuaternionMultiply(this, this, &q);
    return *this;
}
inline D3DXQUATERNION& D3DXQUATERNION::operator*=(float f) { x *= f; y *= f; z *= f; w *= f; return *this; }
inline D3DXQUATERNION& D3DXQUATERNION::operator/=(float f) { x /= f; y /= f; z /= f; w /= f; return *this; }
inline D3DXQUATERNION D3DXQUATERNION::operator+() const { return *this; }
inline D3DXQUATERNION D3DXQUATERNION::operator-() const { return {-x, -y, -z, -w}; }
inline D3DXQUATERNION D3DXQUATERNION::operator+(const D3DXQUATERNION& q) const { return {x + q.x, y + q.y, z + q.z, w + q.w}; }
inline D3DXQUATERNION D3DXQUATERNION::operator-(const D3DXQUATERNION& q) const { return {x - q.x, y - q.y, z - q.z, w - q.w}; }
inline D3DXQUATERNION D3DXQUATERNION::operator*(const D3DXQUATERNION& q) const
{
    D3DXQUATERNION out;
    D3DXQuaternionMultiply(&out, this, &q);
    return out;
}
inline D3DXQUATERNION D3DXQUATERNION::operator*(float f) const { return {x * f, y * f, z * f, w * f}; }
inline D3DXQUATERNION D3DXQUATERNION::operator/(float f) const { return {x / f, y / f, z / f, w / f}; }
inline D3DXQUATERNION operator*(float f, const D3DXQUATERNION& q) { return q * f; }
inline bool D3DXQUATERNION::operator==(const D3DXQUATERNION& q) const { return x == q.x && y == q.y && z == q.z && w == q.w; }
inline bool D3DXQUATERNION::operator!=(const D3DXQUATERNION& q) const { return !(*this == q); }

// D3DXPLANE

inline D3DXPLANE::D3DXPLANE(const float* p) : a(p[0]), b(p[1]), c(p[2]), d(p[3]) {}
inline D3DXPLANE::D3DXPLANE(float a_, float b_, float c_, float d_) : a(a_), b(b_), c(c_), d(d_) {}
inline D3DXPLANE::operator float*() { return &a; }
inline D3DXPLANE::operator const float*() const { return &a; }
inline D3DXPLANE D3DXPLANE::operator+() const { return *this; }
inline D3DXPLANE D3DXPLANE::operator-() const { return {-a, -b, -c, -d}; }
inline bool D3DXPLANE::operator==(const D3DXPLANE& p) const { return a == p.a && b == p.b && c == p.c && d == p.d; }
inline bool D3DXPLANE::operator!=(const D3DXPLANE& p) const { return !(*this == p); }

// D3DXCOLOR

inline D3DXCOLOR::D3DXCOLOR() : D3DCOLORVALUE{0.0f, 0.0f, 0.0f, 0.0f} {}
inline D3DXCOLOR::D3DXCOLOR(DWORD argb)
    : D3DCOLORVALUE{static_cast<float>((argb >> 16) & 0xffu) / 255.0f,
                    static_cast<float>((argb >> 8) & 0xffu) / 255.0f,
                    static_cast<float>(argb & 0xffu) / 255.0f,
                    static_cast<float>((argb >> 24) & 0xffu) / 255.0f}
{
}
inline D3DXCOLOR::D3DXCOLOR(const float* rgba) : D3DCOLORVALUE{rgba[0], rgba[1], rgba[2], rgba[3]} {}
inline D3DXCOLOR::D3DXCOLOR(const D3DCOLORVALUE& c) : D3DCOLORVALUE(c) {}
inline D3DXCOLOR::D3DXCOLOR(float r_, float g_, float b_, float a_) : D3DCOLORVALUE{r_, g_, b_, a_} {}
inline D3DXCOLOR::operator DWORD() const
{
    auto channel = [](float v) -> DWORD {
        // NaN and out-of-range channels clamp instead of overflowing the byte.
        if (!(v > 0.0f)) return 0u;
        if (v >= 1.0f) return 255u;
        return static_cast<DWORD>(v * 255.0f + 0.5f);
    };
    return (channel(a) << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
}
inline D3DXCOLOR::operator float*() { return &r; }
inline D3DXCOLOR::operator const float*() const { return &r; }
inline D3DXCOLOR& D3DXCOLOR::operator+=(const D3DXCOLOR& c) { r += c.r; g += c.g; b += c.b; a += c.a; return *this; }
inline D3DXCOLOR& D3DXCOLOR::operator-=(const D3DXCOLOR& c) { r -= c.r; g -= c.g; b -= c.b; a -= c.a; return *this; }
inline D3DXCOLOR& D3DXCOLOR::operator*=(float f) { r *= f; g *= f; b *= f; a *= f; return *this; }
inline D3DXCOLOR& D3DXCOLOR::operator/=(float f) { r /= f; g /= f; b /= f; a /= f; return *this; }
inline D3DXCOLOR D3DXCOLOR::operator+() const { return *this; }
inline D3DXCOLOR D3DXCOLOR::operator-() const { return {-r, -g, -b, -a}; }
inline D3DXCOLOR D3DXCOLOR::operator+(const D3DXCOLOR& c) const { return {r + c.r, g + c.g, b + c.b, a + c.a}; }
inline D3DXCOLOR D3DXCOLOR::operator-(const D3DXCOLOR& c) const { return {r - c.r, g - c.g, b - c.b, a - c.a}; }
inline D3DXCOLOR D3DXCOLOR::operator*(float f) const { return {r * f, g * f, b * f, a * f}; }
inline D3DXCOLOR D3DXCOLOR::operator/(float f) const { return {r / f, g / f, b / f, a / f}; }
inline D3DXCOLOR operator*(float f, const D3DXCOLOR& c) { return c * f; }
inline bool D3DXCOLOR::operator==(const D3DXCOLOR& c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
inline bool D3DXCOLOR::operator!=(const D3DXCOLOR& c) const { return !(*this == c); }
