#include "XFileTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace orbel::test {
namespace {

using d3dx8::XMeshData;

struct SampleExpectation {
    const char* file;
    std::size_t vertices;
    std::size_t faces;
    std::size_t materials;
    bool normals;
    std::size_t texturedMaterial;
    const char* textureEnd;  // how that material's texture name ends
};

TEST(XFileReader, SamplesReadWithTheirCountsAndTextures) {
    const SampleExpectation samples[] = {
        {"test_cube_text.x", 24, 12, 1, true, 0, ""},
        {"test_cube_binary.x", 24, 12, 1, true, 0, ""},
        {"test_cube_compressed.x", 24, 12, 1, true, 0, ""},
        {"test.x", 24, 12, 1, true, 0, ".\\\\test.png"},
        {"tiger.x", 303, 602, 1, false, 0, "tiger.bmp"},
        {"kwxport_test_cubewithvcolors.x", 24, 12, 3, true, 1, "\\\\top.tga"},
        {"malformed_skinweights_oob.x", 24, 12, 1, true, 0, ""},
    };
    for (const SampleExpectation& s : samples) {
        SCOPED_TRACE(s.file);
        XMeshData mesh;
        ASSERT_TRUE(ReadX(ReadSample(s.file), mesh));
        EXPECT_EQ(mesh.vertices.size(), s.vertices);
        EXPECT_EQ(mesh.FaceCount(), s.faces);
        EXPECT_EQ(mesh.attributes.size(), s.faces);
        ASSERT_EQ(mesh.materials.size(), s.materials);
        EXPECT_EQ(mesh.hasNormals, s.normals);
        EXPECT_TRUE(mesh.hasTexCoords);
        EXPECT_TRUE(mesh.materials[s.texturedMaterial].texture.ends_with(s.textureEnd));
        for (std::uint32_t index : mesh.indices) EXPECT_LT(index, mesh.vertices.size());
        for (std::uint32_t attribute : mesh.attributes) EXPECT_LT(attribute, mesh.materials.size());
    }
}

TEST(XFileReader, EmptyAndDamagedSamplesFail) {
    XMeshData mesh;
    EXPECT_FALSE(ReadX(ReadSample("empty.x"), mesh));
    // A compressed cube whose deflate data was damaged.
    EXPECT_FALSE(ReadX(ReadSample("OV_GetNextToken"), mesh));
    EXPECT_TRUE(mesh.vertices.empty());
}

TEST(XFileReader, TextBinaryAndCompressedCubesGiveTheSameMesh) {
    XMeshData text, binary, compressed;
    ASSERT_TRUE(ReadX(ReadSample("test_cube_text.x"), text));
    ASSERT_TRUE(ReadX(ReadSample("test_cube_binary.x"), binary));
    ASSERT_TRUE(ReadX(ReadSample("test_cube_compressed.x"), compressed));
    for (const XMeshData* other : {&binary, &compressed}) {
        EXPECT_EQ(other->indices, text.indices);
        EXPECT_EQ(other->attributes, text.attributes);
        ASSERT_EQ(other->vertices.size(), text.vertices.size());
        for (std::size_t i = 0; i < text.vertices.size(); ++i) {
            EXPECT_EQ(0, std::memcmp(&other->vertices[i], &text.vertices[i], sizeof(d3dx8::XVertex))) << i;
        }
    }
    // The root frame turns the file's z up into y up: (-1, -1, 1) lands at (-1, 1, -1).
    EXPECT_FLOAT_EQ(text.vertices[0].position[1], 1.0f);
    EXPECT_FLOAT_EQ(text.vertices[0].position[2], -1.0f);
    EXPECT_FLOAT_EQ(text.materials[0].power, 96.07843f);
}

TEST(XFileReader, TextSyntaxIsReadLeniently) {
    const std::string body =
        "// exported by hand\r\n"
        "template Mesh { <3D82AB44-62DA-11cf-AB39-0020AF71E433> DWORD nVertices; [...] }\r\n"
        "Header { 1; 0; 1; }\n"
        "Something odd { 1 2 { 3 { 4 } } \"}\" }\n"
        "# a comment holding { braces\n"
        "Mesh box {\n"
        " 4; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0, 1.0, 0.0, 0 1 0;;\n"  // loose separators
        " 1; 4; 0, 1, 2, 3;;\n"
        " MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; }\n"
        " MeshMaterialList { 1; 1; 0;;\n"
        "  Material { 1;0;0;1;; 12.5; 0.5;0.5;0.5;; 0;0;0;;\n"
        "   textureFILENAME { \"C:\\\\maps\\\\Brick.BMP\"; }\n"
        "  }\n"
        " }\n"
        " VertexDuplicationIndices { 4; 4; 0, 1, 2, 3;; }\n"
        "}\n";
    XMeshData mesh;
    ASSERT_TRUE(ReadX(TextX(body), mesh));
    EXPECT_EQ(mesh.vertices.size(), 4u);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));  // the quad as a fan
    EXPECT_FLOAT_EQ(mesh.vertices[2].uv[1], 1.0f);
    EXPECT_FALSE(mesh.hasNormals);
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_EQ(mesh.materials[0].texture, "C:\\\\maps\\\\Brick.BMP");  // as it stands in the file
    EXPECT_FLOAT_EQ(mesh.materials[0].power, 12.5f);
    EXPECT_FLOAT_EQ(mesh.materials[0].specular[2], 0.5f);
}

TEST(XFileReader, CornersWithDifferentNormalsSplitTheirVertex) {
    // Two triangles share the edge 0-2; vertex 0 carries normal 0 in the
    // first and normal 1 in the second, vertex 2 carries normals 0 and 2,
    // which have the same value and so need no copy.
    const std::string body =
        "Mesh { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;\n"
        " 2; 3;0,1,2;, 3;0,2,3;;\n"
        " MeshNormals { 3; 0;0;1;, 0;1;0;, 0;0;1;;\n"
        "  2; 3;0,0,0;, 3;1,2,1;; }\n"
        "}\n";
    XMeshData mesh;
    ASSERT_TRUE(ReadX(TextX(body), mesh));
    ASSERT_EQ(mesh.vertices.size(), 5u);  // the four vertices and one copy of vertex 0
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 4, 2, 3}));
    EXPECT_FLOAT_EQ(mesh.vertices[0].normal[2], 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[4].normal[1], 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[4].position[0], 0.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[3].normal[1], 1.0f);
}

TEST(XFileReader, FramesApplyAndMeshesCollapseWithTheirMaterials) {
    const std::string body =
        "Material Red { 1;0;0;1;; 5; 0;0;0;; 0;0;0;; }\n"
        "Frame outer {\n"
        " FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }\n"
        " Frame inner {\n"
        "  FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,0,1;; }\n"
        "  Mesh a { 3; 1;0;0;, 0;1;0;, 0;0;1;; 2; 3;0,1,2;, 2;0,1;;\n"  // the 2-corner face is dropped
        "   MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 2;0,0;; }\n"
        "   MeshMaterialList { 2; 1; 1;; { Red } Material { 0;0;1;1;; 1; 0;0;0;; 0;0;0;; } }\n"
        "  }\n"
        " }\n"
        "}\n"
        "Mesh b { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
    XMeshData mesh;
    ASSERT_TRUE(ReadX(TextX(body), mesh));
    ASSERT_EQ(mesh.vertices.size(), 6u);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
    // Scaled by the inner frame, then moved by the outer one.
    EXPECT_FLOAT_EQ(mesh.vertices[0].position[0], 12.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[1].position[1], 2.0f);
    EXPECT_FLOAT_EQ(mesh.vertices[3].position[0], 0.0f);
    // Normals stay unit length under the scaling.
    EXPECT_FLOAT_EQ(mesh.vertices[0].normal[2], 1.0f);
    // Mesh a's list, then a plain material for mesh b, which has none.
    ASSERT_EQ(mesh.materials.size(), 3u);
    EXPECT_FLOAT_EQ(mesh.materials[0].diffuse[0], 1.0f);  // the reference to Red
    EXPECT_FLOAT_EQ(mesh.materials[0].power, 5.0f);
    EXPECT_FLOAT_EQ(mesh.materials[1].diffuse[2], 1.0f);
    EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{1, 2}));
}

TEST(XFileReader, ShortFaceMaterialListsHoldTheirLastEntry) {
    const std::string body =
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 3; 3;0,1,2;, 3;0,2,1;, 3;1,2,0;;\n"
        " MeshMaterialList { 3; 2; 2, 1;; } }\n";
    XMeshData mesh;
    ASSERT_TRUE(ReadX(TextX(body), mesh));
    EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{2, 1, 1}));
    ASSERT_EQ(mesh.materials.size(), 3u);  // listed but not stated: plain materials
    EXPECT_TRUE(mesh.materials[2].texture.empty());
}

TEST(XFileReader, CountsAndIndicesOutsideTheirRangeFail) {
    const char* bad[] = {
        // a vertex index past the vertex list
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }",
        // more vertices claimed than the file holds
        "Mesh { 4000000000; 0;0;0;; 1; 3;0,0,0;; }",
        // a face claiming more corners than follow
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 99999; 0,1,2;; }",
        // a material number not below the material count
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshMaterialList { 1; 1; 1;; } }",
        // a normal index past the normal list
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; } }",
        // normals for a different number of faces
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; } }",
        // a count that is not a whole number, a value that is not a number
        "Mesh { 3.5; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }",
        "Mesh { 3; 0;0;zero;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }",
        // unterminated object, unterminated string, stray closing brace
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;",
        "Material { 1;1;1;1;; 1; 0;0;0;; 0;0;0;; TextureFilename { \"open; } }",
        "}",
    };
    for (const char* body : bad) {
        XMeshData mesh;
        EXPECT_FALSE(ReadX(TextX(body), mesh)) << body;
        EXPECT_TRUE(mesh.vertices.empty() && mesh.materials.empty()) << body;
    }
    std::string deep;
    for (int i = 0; i < 10000; ++i) deep += "Frame {";
    XMeshData mesh;
    EXPECT_FALSE(ReadX(TextX(deep), mesh));
}

TEST(XFileReader, NamesThatLookLikeNumbersAreNames) {
    // Names as 3D exporters write them, and references to them by name.
    const std::string body =
        "Material 01_-_Default { 0;0;1;1;; 7; 0;0;0;; 0;0;0;; TextureFilename { \"earth.jpg\"; } }\n"
        "Material .5 { 1;0;0;1;; 8; 0;0;0;; 0;0;0;; }\n"
        "Frame 3DS_Root { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 5,0,0,1;; }\n"
        " Frame -Node.1 {\n"
        "  Mesh 1Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 2; 3;0,1,2;, 3;0,2,1;;\n"
        "   MeshMaterialList { 2; 2; 0, 1;; { 01_-_Default } { .5 } }\n"
        "  }\n"
        " }\n"
        "}\n";
    XMeshData mesh;
    ASSERT_TRUE(ReadX(TextX(body), mesh));
    ASSERT_EQ(mesh.materials.size(), 2u);
    EXPECT_FLOAT_EQ(mesh.materials[0].power, 7.0f);
    EXPECT_EQ(mesh.materials[0].texture, "earth.jpg");
    EXPECT_FLOAT_EQ(mesh.materials[1].power, 8.0f);
    EXPECT_EQ(mesh.attributes, (std::vector<std::uint32_t>{0, 1}));
    EXPECT_FLOAT_EQ(mesh.vertices[1].position[0], 6.0f);  // the root frame applied
}

TEST(XFileReader, NothingNonFiniteLeavesTheReader) {
    // Old-style spellings of non-finite values, "nan", "inf" and a value
    // past the float range: positions fail the file, the rest is replaced.
    const auto triangle = [](const std::string& position, const std::string& normal, const std::string& uv) {
        return "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;" + position + ";; 1; 3;0,1,2;;\n"
               " MeshNormals { 2; 0;0;1;, " + normal + ";0;0;; 1; 3;0,1,1;; }\n"
               " MeshTextureCoords { 3; 0;0;, " + uv + ";1;, 1;1;; }\n"
               " MeshMaterialList { 1; 1; 0;; Material { 1;1;" + uv + ";1;; 1; 0;0;0;; 0;0;0;; } } }\n";
    };
    for (const char* spelling : {"1.#QNAN0", "-1.#IND00", "1.#INF00", "-1.#INF00", "nan", "-inf", "1e39"}) {
        SCOPED_TRACE(spelling);
        XMeshData mesh;
        ASSERT_TRUE(ReadX(TextX(triangle("0", spelling, spelling)), mesh));
        ASSERT_EQ(mesh.vertices.size(), 3u);
        for (const auto& v : mesh.vertices) {
            for (float f : v.normal) EXPECT_TRUE(std::isfinite(f));
            for (float f : v.uv) EXPECT_TRUE(std::isfinite(f));
        }
        // The face normal of the clockwise triangle (0,0,0), (1,0,0), (0,1,0).
        EXPECT_FLOAT_EQ(mesh.vertices[1].normal[2], 1.0f);
        EXPECT_EQ(mesh.vertices[1].uv[0], 0.0f);
        EXPECT_EQ(mesh.materials[0].diffuse[2], 0.0f);
        EXPECT_FALSE(ReadX(TextX(triangle(spelling, "0", "0")), mesh));
        EXPECT_TRUE(mesh.vertices.empty());
    }
    // Frames that make positions non-finite: all zeros (w becomes 0), a NaN.
    for (const char* matrix : {"0,0,0,0, 0,0,0,0, 0,0,0,0, 0,0,0,0", "1,0,0,0, 0,1,0,0, 0,0,1,0, 0,1.#QNAN0,0,1"}) {
        XMeshData mesh;
        EXPECT_FALSE(ReadX(TextX(std::string("Frame { FrameTransformMatrix { ") + matrix + ";; }\n" +
                                 triangle("0", "0", "0") + "}\n"),
                           mesh))
            << matrix;
    }
    // NaN bit patterns in binary files, and a double past the float range.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int floatBytes : {4, 8, 0}) {
        BinaryX file(floatBytes == 0 ? 8 : floatBytes);
        file.Name("Mesh").Open().Ints({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, floatBytes == 0 ? 1e300 : nan});
        file.Ints({1, 3, 0, 1, 2}).Close();
        XMeshData mesh;
        EXPECT_FALSE(ReadX(file.Bytes(), mesh)) << floatBytes;
    }
}

TEST(XFileReader, DeepFrameHierarchiesReadAndHostileDepthsFail) {
    // A bone chain with its mesh, material list and material at the end,
    // each frame moving by one along x.
    const auto chain = [](int frames, bool closed) {
        std::string body;
        for (int i = 0; i < frames; ++i) body += "Frame Bone" + std::to_string(i) +
                                                 " { FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 1,0,0,1;; }\n";
        body += "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n"
                " MeshMaterialList { 1; 1; 0;; Material { 1;0;0;1;; 1; 0;0;0;; 0;0;0;; TextureFilename { \"a.bmp\"; } } } }\n";
        if (closed) body += std::string(static_cast<std::size_t>(frames), '}');
        return TextX(body);
    };
    for (int frames : {70, 1000}) {
        XMeshData mesh;
        ASSERT_TRUE(ReadX(chain(frames, true), mesh)) << frames;
        EXPECT_FLOAT_EQ(mesh.vertices[0].position[0], static_cast<float>(frames));
        EXPECT_EQ(mesh.materials.at(0).texture, "a.bmp");
    }
    XMeshData mesh;
    EXPECT_FALSE(ReadX(chain(1000, false), mesh));
    EXPECT_FALSE(ReadX(chain(100000, true), mesh));
}

TEST(XFileReader, HeadersOutsideTheKnownFormsFail) {
    const std::string body = "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }";
    XMeshData mesh;
    EXPECT_TRUE(ReadX(TextX(body, "xof 0302txt 0064"), mesh));
    EXPECT_FALSE(ReadX(TextX(body, "xof 0304txt 0032"), mesh));
    EXPECT_FALSE(ReadX(TextX(body, "xof 0303txt 0016"), mesh));
    EXPECT_FALSE(ReadX(TextX(body, "xof 0303zip 0032"), mesh));
    EXPECT_FALSE(ReadX(TextX(body, "xif 0303txt 0032"), mesh));
}

TEST(XFileReader, BinaryFilesWithWideFloatsAndStrings) {
    BinaryX file(8);
    file.Code(31).Name("Unused").Open().Code(5);  // a template, skipped
    for (int i = 0; i < 8; ++i) file.Code(0);  // 16 bytes of identifier
    file.Code(41).Name("n").Code(20).Close();
    file.Name("Mesh").Open();
    file.Ints({3}).Floats({0.1, 0, 0, 1, 0, 0, 0, 1, 0}).Ints({1, 3, 0, 1, 2});
    file.Name("MeshMaterialList").Open().Ints({1, 1, 0});
    file.Name("Material").Open().Floats({0.25, 0.5, 0.75, 1, 8, 0, 0, 0, 0, 0, 0});
    file.Name("TextureFilename").Open().String("wood.jpg").Close();
    file.Close().Close().Close();
    XMeshData mesh;
    ASSERT_TRUE(ReadX(file.Bytes(), mesh));
    EXPECT_EQ(mesh.vertices.size(), 3u);
    EXPECT_FLOAT_EQ(mesh.vertices[0].position[0], 0.1f);
    ASSERT_EQ(mesh.materials.size(), 1u);
    EXPECT_FLOAT_EQ(mesh.materials[0].diffuse[2], 0.75f);
    EXPECT_EQ(mesh.materials[0].texture, "wood.jpg");

    // A run of values claiming more than the file holds.
    BinaryX cut;
    cut.Name("Mesh").Open().Ints({3}).Code(7);
    const std::uint32_t huge = 0x40000000;
    XBytes bytes = cut.Bytes();
    bytes.insert(bytes.end(), reinterpret_cast<const unsigned char*>(&huge),
                 reinterpret_cast<const unsigned char*>(&huge) + 4);
    EXPECT_FALSE(ReadX(bytes, mesh));
}

TEST(XFileReader, CompressedBlocksReferBackIntoEarlierBlocks) {
    // A body long and repetitive enough that the later blocks are mostly
    // references into the earlier ones.
    std::string body = "Mesh { 300;\n";
    for (int i = 0; i < 300; ++i) body += std::to_string(i % 7) + ";0;" + std::to_string(i % 5) + ";,\n";
    body += "1; 3;0,1,2;; }\n";
    const XBytes plain = TextX(body);
    XMeshData expected, inflated, binaryInflated;
    ASSERT_TRUE(ReadX(plain, expected));
    ASSERT_TRUE(ReadX(CompressX(plain, 1000), inflated));
    EXPECT_EQ(inflated.vertices.size(), 300u);
    EXPECT_FLOAT_EQ(inflated.vertices[299].position[2], expected.vertices[299].position[2]);
    ASSERT_TRUE(ReadX(CompressX(ReadSample("test_cube_binary.x"), 700), binaryInflated));
    EXPECT_EQ(binaryInflated.FaceCount(), 12u);

    // A total size that disagrees with the blocks fails.
    XBytes wrongTotal = CompressX(plain, 1000);
    wrongTotal[16] += 1;
    EXPECT_FALSE(ReadX(wrongTotal, inflated));
}

// Cuts and byte changes of every sample must fail or read within bounds;
// the sanitizer build turns any overrun into a failure.
TEST(XFileReader, TruncatedAndMutatedSamplesStayWithinBounds) {
    const char* files[] = {"test_cube_text.x", "test_cube_binary.x", "test_cube_compressed.x", "test.x",
                           "tiger.x", "kwxport_test_cubewithvcolors.x", "malformed_skinweights_oob.x"};
    std::mt19937 random(1234);
    for (const char* file : files) {
        SCOPED_TRACE(file);
        const XBytes whole = ReadSample(file);
        const std::size_t step = whole.size() > 10000 ? 7 : 1;
        for (std::size_t length = 0; length < whole.size(); length += step) {
            XMeshData mesh;
            const XBytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
            if (ReadX(cut, mesh)) {
                for (std::uint32_t index : mesh.indices) ASSERT_LT(index, mesh.vertices.size());
            }
        }
        for (int round = 0; round < 300; ++round) {
            XBytes changed = whole;
            const int edits = 1 + static_cast<int>(random() % 4);
            for (int e = 0; e < edits; ++e) changed[16 + random() % (changed.size() - 16)] = static_cast<unsigned char>(random());
            XMeshData mesh;
            if (ReadX(changed, mesh)) {
                for (std::uint32_t index : mesh.indices) ASSERT_LT(index, mesh.vertices.size());
                for (std::uint32_t attribute : mesh.attributes) ASSERT_LT(attribute, std::max<std::size_t>(1, mesh.materials.size()));
            }
        }
    }
}

}  // namespace
}  // namespace orbel::test
