#include "XFileMeshBuilder.h"

#include <d3dx8/Math.h>

#include <cmath>
#include <limits>

namespace orbel::d3dx8::xfile {
namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

bool IsIdentity(const D3DXMATRIX& m) {
    for (UINT r = 0; r < 4; ++r)
        for (UINT c = 0; c < 4; ++c)
            if (m(r, c) != (r == c ? 1.0f : 0.0f)) return false;
    return true;
}

// Places one file mesh into the collapsed mesh.
class MeshAppender {
public:
    MeshAppender(const ParsedFile& file, const ParsedMesh& mesh, XMeshData& out)
        : file_(file), mesh_(mesh), out_(out) {}

    bool Append(const D3DXMATRIX* world, bool fileHasMaterials) {
        if (mesh_.hasNormals && mesh_.normalFaceSizes != mesh_.faceSizes) return false;
        SetTransform(world);
        const std::uint32_t materialBase = static_cast<std::uint32_t>(out_.materials.size());
        AppendMaterials(fileHasMaterials);
        AppendVertices();
        AppendFaces(materialBase);
        return true;
    }

private:
    void SetTransform(const D3DXMATRIX* world) {
        if (!world || IsIdentity(*world)) return;
        world_ = *world;
        // Normals go through the inverse transpose, so scaling and shearing
        // keep them perpendicular to their surfaces.
        D3DXMATRIX inverse;
        if (D3DXMatrixInverse(&inverse, nullptr, world)) {
            D3DXMatrixTranspose(&normalMatrix_, &inverse);
        } else {
            normalMatrix_ = *world;
        }
        transformed_ = true;
    }

    void AppendMaterials(bool fileHasMaterials) {
        if (mesh_.hasMaterialList && mesh_.materialCount > 0) {
            for (std::uint32_t i = 0; i < mesh_.materialCount; ++i)
                out_.materials.push_back(i < mesh_.materials.size() ? Resolve(mesh_.materials[i]) : XMaterial{});
        } else if (fileHasMaterials) {
            out_.materials.emplace_back();  // this mesh's faces get a plain material of their own
        }
    }

    XMaterial Resolve(const MaterialSlot& slot) const {
        if (!slot.reference) return slot.material;
        const auto found = file_.namedMaterials.find(slot.target);
        return found != file_.namedMaterials.end() ? found->second : XMaterial{};
    }

    void AppendVertices() {
        base_ = static_cast<std::uint32_t>(out_.vertices.size());
        const std::size_t count = mesh_.positions.size() / 3;
        out_.vertices.resize(base_ + count);
        for (std::size_t i = 0; i < count; ++i) {
            XVertex& v = out_.vertices[base_ + i];
            D3DXVECTOR3 p(mesh_.positions[i * 3], mesh_.positions[i * 3 + 1], mesh_.positions[i * 3 + 2]);
            if (transformed_) D3DXVec3TransformCoord(&p, &p, &world_);
            v.position[0] = p.x;
            v.position[1] = p.y;
            v.position[2] = p.z;
            if (mesh_.hasTexCoords && i * 2 + 1 < mesh_.uv.size()) {
                v.uv[0] = mesh_.uv[i * 2];
                v.uv[1] = mesh_.uv[i * 2 + 1];
            }
        }
        normalOf_.assign(count, kNone);
    }

    void SetNormal(XVertex& v, std::uint32_t n) const {
        D3DXVECTOR3 normal(mesh_.normals[n * 3], mesh_.normals[n * 3 + 1], mesh_.normals[n * 3 + 2]);
        if (transformed_) {
            D3DXVec3TransformNormal(&normal, &normal, &normalMatrix_);
            const float length = std::sqrt(normal.x * normal.x + normal.y * normal.y + normal.z * normal.z);
            if (length > 0) normal /= length;
        }
        v.normal[0] = normal.x;
        v.normal[1] = normal.y;
        v.normal[2] = normal.z;
    }

    bool SameNormal(std::uint32_t a, std::uint32_t b) const {
        const float* n = mesh_.normals.data();
        return n[a * 3] == n[b * 3] && n[a * 3 + 1] == n[b * 3 + 1] && n[a * 3 + 2] == n[b * 3 + 2];
    }

    // The collapsed vertex for a corner at position p with normal n: the
    // file's vertex while all its corners agree on the normal, else a copy.
    std::uint32_t CornerVertex(std::uint32_t p, std::uint32_t n) {
        if (!mesh_.hasNormals) return base_ + p;
        std::uint32_t& first = normalOf_[p];
        if (first == kNone) {
            first = n;
            SetNormal(out_.vertices[base_ + p], n);
            return base_ + p;
        }
        if (first == n || SameNormal(first, n)) return base_ + p;
        const std::uint64_t key = static_cast<std::uint64_t>(p) << 32 | n;
        const auto [entry, added] = split_.try_emplace(key, static_cast<std::uint32_t>(out_.vertices.size()));
        if (added) {
            XVertex copy = out_.vertices[base_ + p];
            SetNormal(copy, n);
            out_.vertices.push_back(copy);
        }
        return entry->second;
    }

    std::uint32_t FaceMaterial(std::size_t face, std::uint32_t materialBase) const {
        if (!mesh_.hasMaterialList || mesh_.materialCount == 0) return materialBase;
        const auto& list = mesh_.faceMaterials;
        // Lists shorter than the face list hold their last entry for the rest.
        if (list.empty()) return materialBase;
        return materialBase + (face < list.size() ? list[face] : list.back());
    }

    void AppendFaces(std::uint32_t materialBase) {
        std::size_t corner = 0;
        for (std::size_t face = 0; face < mesh_.faceSizes.size(); ++face) {
            const std::uint32_t size = mesh_.faceSizes[face];
            if (size >= 3) {
                const std::uint32_t attribute = FaceMaterial(face, materialBase);
                const auto vertexAt = [&](std::uint32_t k) {
                    return CornerVertex(mesh_.corners[corner + k],
                                        mesh_.hasNormals ? mesh_.normalCorners[corner + k] : 0);
                };
                const std::uint32_t first = vertexAt(0);
                std::uint32_t previous = vertexAt(1);
                for (std::uint32_t k = 2; k < size; ++k) {
                    const std::uint32_t next = vertexAt(k);
                    out_.indices.insert(out_.indices.end(), {first, previous, next});
                    out_.attributes.push_back(attribute);
                    previous = next;
                }
            }
            corner += size;
        }
    }

    const ParsedFile& file_;
    const ParsedMesh& mesh_;
    XMeshData& out_;
    bool transformed_ = false;
    D3DXMATRIX world_;
    D3DXMATRIX normalMatrix_;
    std::uint32_t base_ = 0;
    std::vector<std::uint32_t> normalOf_;
    std::unordered_map<std::uint64_t, std::uint32_t> split_;
};

bool Finite(const float* v, int n) {
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

// The unit normal of a triangle, as D3DXComputeNormals turns it; zero for a
// degenerate one.
void FaceNormal(const XMeshData& mesh, std::size_t face, float (&out)[3]) {
    const float* p[3];
    for (int c = 0; c < 3; ++c) p[c] = mesh.vertices[mesh.indices[face * 3 + static_cast<std::size_t>(c)]].position;
    const double e1[3] = {double{p[1][0]} - p[0][0], double{p[1][1]} - p[0][1], double{p[1][2]} - p[0][2]};
    const double e2[3] = {double{p[2][0]} - p[0][0], double{p[2][1]} - p[0][1], double{p[2][2]} - p[0][2]};
    const double n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int k = 0; k < 3; ++k) out[k] = length > 0 && std::isfinite(length) ? static_cast<float>(n[k] / length) : 0.0f;
}

// Nothing non-finite leaves the reader: a position that is not a number
// (from the file or from its frames) fails the file, a normal that is not
// becomes the normal of the first face using its vertex, a texture
// coordinate 0, a material value 0.
bool MakeFinite(XMeshData& mesh) {
    std::vector<bool> badNormal(mesh.vertices.size(), false);
    bool anyBadNormal = false;
    for (std::size_t i = 0; i < mesh.vertices.size(); ++i) {
        XVertex& v = mesh.vertices[i];
        if (!Finite(v.position, 3)) return false;
        for (float& f : v.uv)
            if (!std::isfinite(f)) f = 0;
        if (!Finite(v.normal, 3)) {
            badNormal[i] = true;
            anyBadNormal = true;
            v.normal[0] = v.normal[1] = v.normal[2] = 0;
        }
    }
    if (anyBadNormal) {
        for (std::size_t face = 0; face < mesh.FaceCount(); ++face) {
            for (std::size_t c = 0; c < 3; ++c) {
                const std::uint32_t index = mesh.indices[face * 3 + c];
                if (!badNormal[index]) continue;
                FaceNormal(mesh, face, mesh.vertices[index].normal);
                badNormal[index] = false;
            }
        }
    }
    for (XMaterial& m : mesh.materials) {
        for (float* f : {&m.diffuse[0], &m.diffuse[1], &m.diffuse[2], &m.diffuse[3], &m.power, &m.specular[0],
                         &m.specular[1], &m.specular[2], &m.emissive[0], &m.emissive[1], &m.emissive[2]})
            if (!std::isfinite(*f)) *f = 0;
    }
    return true;
}

}  // namespace

bool BuildMesh(const ParsedFile& file, XMeshData& mesh) {
    mesh = XMeshData{};
    std::vector<D3DXMATRIX> world(file.frames.size());
    for (std::size_t i = 0; i < file.frames.size(); ++i) {
        const ParsedFrame& frame = file.frames[i];
        const D3DXMATRIX local(frame.local);
        world[i] = frame.parent >= 0 ? local * world[static_cast<std::size_t>(frame.parent)] : local;
    }
    bool fileHasMaterials = false;
    for (const ParsedMesh& m : file.meshes) {
        fileHasMaterials |= m.hasMaterialList && m.materialCount > 0;
        mesh.hasNormals |= m.hasNormals;
        mesh.hasTexCoords |= m.hasTexCoords;
    }
    for (const ParsedMesh& m : file.meshes) {
        const D3DXMATRIX* transform = m.frame >= 0 ? &world[static_cast<std::size_t>(m.frame)] : nullptr;
        if (!MeshAppender(file, m, mesh).Append(transform, fileHasMaterials)) {
            mesh = XMeshData{};
            return false;
        }
    }
    if (!MakeFinite(mesh)) {
        mesh = XMeshData{};
        return false;
    }
    return true;
}

}  // namespace orbel::d3dx8::xfile
