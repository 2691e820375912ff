// Text ".x" files. Only standard objects are written, so readers that know
// the standard templates need no template declarations in the file.
#include <d3dx8/XFileData.h>

#include <charconv>
#include <cmath>

namespace orbel::d3dx8 {
namespace {

class TextOut {
public:
    explicit TextOut(std::size_t expected) { text_.reserve(expected); }

    TextOut& operator<<(std::string_view s) {
        text_.append(s);
        return *this;
    }
    // Shortest form that reads back to the same float. "nan" and "inf"
    // are no numbers to the readers of these files: such values go out as 0.
    TextOut& operator<<(float f) {
        if (!std::isfinite(f)) f = 0.0f;
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, f);
        text_.append(buffer, result.ptr);
        return *this;
    }
    TextOut& operator<<(std::size_t n) {
        char buffer[24];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
        text_.append(buffer, result.ptr);
        return *this;
    }
    TextOut& operator<<(std::uint32_t n) { return *this << static_cast<std::size_t>(n); }

    // A record's values, each ended by ";"; a record that is itself a member
    // of a record ends with one ";" more.
    TextOut& Values(const float* v, int n, bool member = false) {
        for (int i = 0; i < n; ++i) *this << v[i] << ";";
        return member ? *this << ";" : *this;
    }

    // "<item>,\n" for each item but the last, which ends in ";\n".
    template <class Item>
    TextOut& List(std::size_t count, std::string_view indent, Item item) {
        for (std::size_t i = 0; i < count; ++i) {
            *this << indent;
            item(i);
            *this << (i + 1 < count ? ",\n" : ";\n");
        }
        if (count == 0) *this << indent << ";\n";
        return *this;
    }

    std::string Take() { return std::move(text_); }

private:
    std::string text_;
};

void WriteFaces(TextOut& out, const XMeshData& mesh) {
    out << "  " << mesh.FaceCount() << ";\n";
    out.List(mesh.FaceCount(), "  ", [&](std::size_t f) {
        out << "3;" << mesh.indices[f * 3] << "," << mesh.indices[f * 3 + 1] << "," << mesh.indices[f * 3 + 2] << ";";
    });
}

void WriteMaterial(TextOut& out, const XMaterial& m) {
    out << "   Material {\n    ";
    out.Values(m.diffuse, 4, true) << "\n    " << m.power << ";\n    ";
    out.Values(m.specular, 3, true) << "\n    ";
    out.Values(m.emissive, 3, true) << "\n";
    std::string name = m.texture;
    std::erase(name, '"');  // a quote would end the string early
    out << "    TextureFilename {\n     \"" << name << "\";\n    }\n   }\n";
}

}  // namespace

std::string WriteXFileText(const XMeshData& mesh) {
    TextOut out(mesh.vertices.size() * 120 + mesh.FaceCount() * 40 + 256);
    out << "xof 0303txt 0032\n\nMesh {\n  " << mesh.vertices.size() << ";\n";
    out.List(mesh.vertices.size(), "  ", [&](std::size_t i) { out.Values(mesh.vertices[i].position, 3); });
    WriteFaces(out, mesh);

    if (mesh.hasNormals) {
        out << "\n  MeshNormals {\n  " << mesh.vertices.size() << ";\n";
        out.List(mesh.vertices.size(), "  ", [&](std::size_t i) { out.Values(mesh.vertices[i].normal, 3); });
        WriteFaces(out, mesh);
        out << "  }\n";
    }
    if (mesh.hasTexCoords) {
        out << "\n  MeshTextureCoords {\n  " << mesh.vertices.size() << ";\n";
        out.List(mesh.vertices.size(), "  ", [&](std::size_t i) { out.Values(mesh.vertices[i].uv, 2); });
        out << "  }\n";
    }
    if (!mesh.materials.empty()) {
        out << "\n  MeshMaterialList {\n  " << mesh.materials.size() << ";\n  " << mesh.attributes.size() << ";\n";
        out.List(mesh.attributes.size(), "  ", [&](std::size_t f) { out << mesh.attributes[f]; });
        for (const XMaterial& m : mesh.materials) WriteMaterial(out, m);
        out << "  }\n";
    }
    out << "}\n";
    return out.Take();
}

}  // namespace orbel::d3dx8
