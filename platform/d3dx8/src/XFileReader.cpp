// The ".x" reader: the header picks the token reader, the object reader
// walks the file's objects into one record per mesh and frame, and the last
// step applies the frames and collapses the meshes into one.
#include <d3dx8/XFileData.h>

#include "XFileLexers.h"
#include "XFileMeshBuilder.h"
#include "XFileMszip.h"
#include "WholeFile.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace orbel::d3dx8 {
namespace xfile {
namespace {

// Frames nest as deep as a rig's bones; they are read with a stack of their
// own, and deeper than this is no file an exporter wrote.
constexpr std::size_t kMaxFrameDepth = 10000;
// Objects inside a mesh nest a few levels; these are read recursively.
constexpr int kMaxDepth = 64;

// A name or reference target; text files may spell one like a number.
bool IsName(const Token& t) { return t.kind == Tok::Name || (t.kind == Tok::Number && !t.text.empty()); }

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
           });
}

template <class Lexer>
class ObjectReader {
public:
    ObjectReader(Lexer& lexer, ParsedFile& file) : in_(lexer), file_(file) {}

    // The frames are walked with a stack of the open ones, so hierarchies
    // of any depth up to kMaxFrameDepth cost no native stack.
    bool ReadFile() {
        std::vector<int> open;  // frames whose closing brace is still to come
        for (;;) {
            const Token t = in_.Next();
            const int frame = open.empty() ? -1 : open.back();
            switch (t.kind) {
            case Tok::End:
                return open.empty();
            case Tok::Template:
                if (!open.empty() || !SkipObject()) return false;
                break;
            case Tok::Name:
                if (SameName(t.text, "Frame")) {
                    std::string_view name;
                    if (open.size() >= kMaxFrameDepth || !OpenObject(name)) return false;
                    open.push_back(NewFrame(frame));
                } else if (!ReadObject(t.text, frame, nullptr, 1)) {
                    return false;
                }
                break;
            case Tok::OpenBrace:
                if (open.empty() ? !SkipBody() : !SkipReference()) return false;
                break;
            case Tok::CloseBrace:
                if (open.empty()) return false;
                open.pop_back();
                break;
            case Tok::Error:
                return false;
            default:
                break;  // loose values between objects carry nothing
            }
        }
    }

private:
    // `type` was just read; reads the optional name and the opening brace.
    bool OpenObject(std::string_view& name) {
        Token t = in_.Next();
        if (IsName(t)) {
            name = t.text;
            t = in_.Next();
        }
        if (t.kind != Tok::OpenBrace) return false;
        in_.SkipGuid();
        return true;
    }

    // One object whose type name was just read. `frame` is the enclosing
    // frame (-1 at the top), `mesh` the enclosing mesh for its parts,
    // `materials` the enclosing material list's slots.
    bool ReadObject(std::string_view type, int frame, ParsedMesh* mesh, int depth,
                    std::vector<MaterialSlot>* materials = nullptr) {
        if (depth > kMaxDepth) return false;
        if (SameName(type, "Frame")) return ReadFrame(frame, depth);
        if (SameName(type, "Mesh")) return ReadMesh(frame, depth);
        if (SameName(type, "Material")) return ReadMaterial(materials, depth);
        if (frame >= 0 && !mesh && SameName(type, "FrameTransformMatrix")) return ReadMatrix(file_.frames[frame].local);
        if (mesh && SameName(type, "MeshNormals")) return ReadNormals(*mesh);
        if (mesh && SameName(type, "MeshTextureCoords")) return ReadTexCoords(*mesh);
        if (mesh && SameName(type, "MeshMaterialList")) return ReadMaterialList(*mesh, depth);
        return SkipObject();
    }

    // Children of the current object up to its closing brace.
    bool ReadChildren(int frame, ParsedMesh* mesh, int depth, std::vector<MaterialSlot>* materials = nullptr,
                      XMaterial* material = nullptr) {
        for (;;) {
            const Token t = in_.Next();
            switch (t.kind) {
            case Tok::CloseBrace:
                return true;
            case Tok::Name:
                if (material && (SameName(t.text, "TextureFilename"))) {
                    if (!ReadTexture(*material)) return false;
                } else if (!ReadObject(t.text, frame, mesh, depth + 1, materials)) {
                    return false;
                }
                break;
            case Tok::OpenBrace: {
                std::string_view target;
                if (!ReadReference(target)) return false;
                if (materials) materials->push_back(MaterialSlot{true, std::string(target), {}});
                break;
            }
            case Tok::End:
            case Tok::Error:
            case Tok::Template:
                return false;
            default:
                break;
            }
        }
    }

    // "{ name }" or "{ name <guid> }" after its opening brace.
    bool ReadReference(std::string_view& target) {
        for (;;) {
            const Token t = in_.Next();
            if (t.kind == Tok::CloseBrace) return true;
            if (IsName(t) && target.empty()) target = t.text;
            if (t.kind == Tok::End || t.kind == Tok::Error || t.kind == Tok::OpenBrace) return false;
        }
    }

    bool SkipReference() {
        std::string_view target;
        return ReadReference(target);
    }

    bool SkipObject() {
        std::string_view name;
        return OpenObject(name) && SkipBody();
    }

    // Skips to the brace that closes the one just read.
    bool SkipBody() {
        std::size_t depth = 1;
        while (depth > 0) {
            const Tok kind = in_.Next().kind;
            if (kind == Tok::OpenBrace) ++depth;
            if (kind == Tok::CloseBrace) --depth;
            if (kind == Tok::End || kind == Tok::Error) return false;
        }
        return true;
    }

    bool ReadFrame(int parent, int depth) {
        std::string_view name;
        if (!OpenObject(name)) return false;
        return ReadChildren(NewFrame(parent), nullptr, depth);
    }

    int NewFrame(int parent) {
        const int frame = static_cast<int>(file_.frames.size());
        file_.frames.emplace_back().parent = parent;
        return frame;
    }

    bool ReadMatrix(float (&m)[16]) {
        std::string_view name;
        if (!OpenObject(name)) return false;
        for (float& f : m)
            if (!in_.ReadFloat(f)) return false;
        return SkipBody();
    }

    // Reads a count and checks that `perItem` values of at least one byte
    // each could follow it.
    bool ReadCount(std::uint32_t& n, std::uint64_t perItem) {
        return in_.ReadDword(n) && static_cast<std::uint64_t>(n) * perItem <= in_.Remaining();
    }

    bool ReadFloats(std::vector<float>& out, std::uint32_t items, int perItem) {
        out.resize(static_cast<std::size_t>(items) * static_cast<std::size_t>(perItem));
        for (float& f : out)
            if (!in_.ReadFloat(f)) return false;
        return true;
    }

    // Polygons as corner counts and corner lists, each index below `limit`.
    bool ReadFaces(std::vector<std::uint32_t>& sizes, std::vector<std::uint32_t>& corners, std::uint32_t limit) {
        std::uint32_t faces = 0;
        if (!ReadCount(faces, 1)) return false;
        sizes.resize(faces);
        corners.clear();
        corners.reserve(static_cast<std::size_t>(faces) * 3);
        for (std::uint32_t& size : sizes) {
            if (!ReadCount(size, 1)) return false;
            for (std::uint32_t i = 0; i < size; ++i) {
                std::uint32_t index = 0;
                if (!in_.ReadDword(index) || index >= limit) return false;
                corners.push_back(index);
            }
        }
        return true;
    }

    bool ReadMesh(int frame, int depth) {
        std::string_view name;
        if (!OpenObject(name)) return false;
        ParsedMesh mesh;
        mesh.frame = frame;
        std::uint32_t vertices = 0;
        if (!ReadCount(vertices, 3) || !ReadFloats(mesh.positions, vertices, 3)) return false;
        if (!ReadFaces(mesh.faceSizes, mesh.corners, vertices)) return false;
        if (!ReadChildren(frame, &mesh, depth)) return false;
        file_.meshes.push_back(std::move(mesh));
        return true;
    }

    bool ReadNormals(ParsedMesh& mesh) {
        std::string_view name;
        if (!OpenObject(name)) return false;
        std::uint32_t normals = 0;
        if (!ReadCount(normals, 3) || !ReadFloats(mesh.normals, normals, 3)) return false;
        if (!ReadFaces(mesh.normalFaceSizes, mesh.normalCorners, normals)) return false;
        mesh.hasNormals = true;
        return SkipBody();
    }

    bool ReadTexCoords(ParsedMesh& mesh) {
        std::string_view name;
        if (!OpenObject(name)) return false;
        std::uint32_t coords = 0;
        if (!ReadCount(coords, 2) || !ReadFloats(mesh.uv, coords, 2)) return false;
        mesh.hasTexCoords = true;
        return SkipBody();
    }

    bool ReadMaterialList(ParsedMesh& mesh, int depth) {
        std::string_view name;
        if (!OpenObject(name)) return false;
        std::uint32_t count = 0, faces = 0;
        if (!ReadCount(count, 1) || !ReadCount(faces, 1)) return false;
        mesh.faceMaterials.resize(faces);
        for (std::uint32_t& m : mesh.faceMaterials)
            if (!in_.ReadDword(m) || m >= count) return false;
        mesh.materialCount = count;
        mesh.hasMaterialList = true;
        mesh.materials.clear();
        return ReadChildren(-1, nullptr, depth, &mesh.materials);
    }

    bool ReadMaterial(std::vector<MaterialSlot>* slots, int depth) {
        std::string_view name;
        if (!OpenObject(name)) return false;
        XMaterial m;
        float* fields[] = {&m.diffuse[0], &m.diffuse[1], &m.diffuse[2], &m.diffuse[3], &m.power,
                           &m.specular[0], &m.specular[1], &m.specular[2], &m.emissive[0], &m.emissive[1],
                           &m.emissive[2]};
        for (float* f : fields)
            if (!in_.ReadFloat(*f)) return false;
        if (!ReadChildren(-1, nullptr, depth, nullptr, &m)) return false;
        if (!name.empty()) file_.namedMaterials.emplace(std::string(name), m);
        if (slots) slots->push_back(MaterialSlot{false, {}, std::move(m)});
        return true;
    }

    bool ReadTexture(XMaterial& material) {
        std::string_view name, text;
        if (!OpenObject(name) || !in_.ReadString(text)) return false;
        material.texture.assign(text);
        return SkipBody();
    }

    Lexer& in_;
    ParsedFile& file_;
};

template <class Lexer>
bool ReadObjects(Lexer lexer, ParsedFile& file) {
    return ObjectReader<Lexer>(lexer, file).ReadFile();
}

bool ReadBody(std::span<const BYTE> body, bool text, int floatBytes, ParsedFile& file) {
    if (text) {
        const char* begin = reinterpret_cast<const char*>(body.data());
        return ReadObjects(TextLexer(begin, begin + body.size()), file);
    }
    return ReadObjects(BinaryLexer(body.data(), body.data() + body.size(), floatBytes), file);
}

}  // namespace
}  // namespace xfile

bool ReadXFile(std::span<const BYTE> file, XMeshData& mesh) {
    using namespace xfile;
    mesh = XMeshData{};
    if (file.size() < 16) return false;
    const auto field = [&](std::size_t at) { return std::string_view(reinterpret_cast<const char*>(file.data()) + at, 4); };
    if (field(0) != "xof " || (field(4) != "0302" && field(4) != "0303")) return false;
    const std::string_view format = field(8), floats = field(12);
    if (floats != "0032" && floats != "0064") return false;
    const int floatBytes = floats == "0064" ? 8 : 4;

    ParsedFile parsed;
    bool ok = false;
    if (format == "txt " || format == "bin ") {
        ok = ReadBody(file.subspan(16), format == "txt ", floatBytes, parsed);
    } else if (format == "tzip" || format == "bzip") {
        std::vector<BYTE> inflated;
        ok = InflateMszip(file.subspan(16), inflated, kMaxFileBytes) &&
             ReadBody(inflated, format == "tzip", floatBytes, parsed);
    }
    if (!ok || !BuildMesh(parsed, mesh)) {
        mesh = XMeshData{};
        return false;
    }
    return true;
}

}  // namespace orbel::d3dx8
