#include "XFileTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace orbel::test {
namespace {

using d3dx8::XMeshData;

void ExpectSameMesh(const XMeshData& a, const XMeshData& b) {
    EXPECT_EQ(a.indices, b.indices);
    EXPECT_EQ(a.attributes, b.attributes);
    EXPECT_EQ(a.hasNormals, b.hasNormals);
    EXPECT_EQ(a.hasTexCoords, b.hasTexCoords);
    ASSERT_EQ(a.vertices.size(), b.vertices.size());
    for (std::size_t i = 0; i < a.vertices.size(); ++i)
        EXPECT_EQ(0, std::memcmp(&a.vertices[i], &b.vertices[i], sizeof(d3dx8::XVertex))) << "vertex " << i;
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (std::size_t i = 0; i < a.materials.size(); ++i) {
        const d3dx8::XMaterial &x = a.materials[i], &y = b.materials[i];
        EXPECT_EQ(0, std::memcmp(x.diffuse, y.diffuse, sizeof x.diffuse)) << "material " << i;
        EXPECT_EQ(x.power, y.power);
        EXPECT_EQ(0, std::memcmp(x.specular, y.specular, sizeof x.specular));
        EXPECT_EQ(0, std::memcmp(x.emissive, y.emissive, sizeof x.emissive));
        EXPECT_EQ(x.texture, y.texture);
    }
}

TEST(XFileWriter, WrittenFilesReadBackExactly) {
    XMeshData mesh;
    mesh.hasNormals = mesh.hasTexCoords = true;
    const float values[] = {0.1f, -3.4e-7f, 12345.678f, 1e30f, -0.0f, 1.0f / 3.0f};
    for (int i = 0; i < 6; ++i) {
        d3dx8::XVertex v;
        for (int k = 0; k < 3; ++k) v.position[k] = values[(i + k) % 6] * static_cast<float>(i + 1);
        v.normal[0] = values[i];
        v.uv[1] = values[(i + 2) % 6];
        mesh.vertices.push_back(v);
    }
    mesh.indices = {0, 1, 2, 3, 4, 5, 5, 4, 0};
    mesh.attributes = {1, 0, 1};
    d3dx8::XMaterial textured;
    textured.diffuse[0] = 0.2f;
    textured.power = 17.5f;
    textured.emissive[1] = 0.01f;
    textured.texture = "maps\\stone wall.bmp";
    mesh.materials = {textured, d3dx8::XMaterial{}};

    const std::string text = d3dx8::WriteXFileText(mesh);
    XMeshData back;
    ASSERT_TRUE(ReadX(XBytes(text.begin(), text.end()), back)) << text;
    ExpectSameMesh(mesh, back);
    // A material without a texture still names one, empty.
    EXPECT_NE(text.find("\"\";"), std::string::npos);
}

TEST(XFileWriter, ValuesThatAreNotFiniteAreWrittenAsZero) {
    XMeshData mesh;
    mesh.hasNormals = mesh.hasTexCoords = true;
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    for (int i = 0; i < 3; ++i) {
        d3dx8::XVertex v;
        v.position[0] = static_cast<float>(i);
        v.position[1] = i == 2 ? nan : 1.0f;
        v.normal[2] = i == 1 ? -inf : 1.0f;
        v.uv[0] = i == 0 ? inf : 0.5f;
        mesh.vertices.push_back(v);
    }
    mesh.indices = {0, 1, 2};
    mesh.attributes = {0};
    d3dx8::XMaterial material;
    material.power = nan;
    mesh.materials = {material};
    const std::string text = d3dx8::WriteXFileText(mesh);
    for (const char* word : {"nan", "inf", "NAN", "INF", "#"}) EXPECT_EQ(text.find(word), std::string::npos) << word;
    XMeshData back;
    ASSERT_TRUE(ReadX(XBytes(text.begin(), text.end()), back)) << text;
    EXPECT_EQ(back.vertices[2].position[1], 0.0f);
    EXPECT_EQ(back.vertices[1].normal[2], 0.0f);
    EXPECT_EQ(back.materials[0].power, 0.0f);
}

TEST(XFileWriter, SamplesSurviveAWriteAndRead) {
    for (const char* file : {"tiger.x", "kwxport_test_cubewithvcolors.x", "test_cube_binary.x"}) {
        SCOPED_TRACE(file);
        XMeshData mesh, back;
        ASSERT_TRUE(ReadX(ReadSample(file), mesh));
        const std::string text = d3dx8::WriteXFileText(mesh);
        ASSERT_TRUE(ReadX(XBytes(text.begin(), text.end()), back));
        ExpectSameMesh(mesh, back);
    }
}

}  // namespace
}  // namespace orbel::test
