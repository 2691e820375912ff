// Random small meshes through every mesh call: bad ones must be refused,
// good ones must come out with every index in range. Run under the
// sanitizers, this also shows that nothing reads or writes outside a buffer.
#include "MeshTestSupport.h"

#include <random>

namespace orbel::test {
namespace {

struct RandomMesh {
    Positions positions;
    Indices indices;
    Attributes attributes;
    bool valid = true;
};

RandomMesh MakeRandom(std::mt19937& random) {
    RandomMesh m;
    const int vertices = std::uniform_int_distribution<int>(1, 40)(random);
    const int faces = std::uniform_int_distribution<int>(1, 60)(random);
    // Few distinct coordinates, so points coincide and faces fold.
    std::uniform_int_distribution<int> coordinate(-2, 2);
    for (int v = 0; v < vertices; ++v)
        m.positions.push_back({coordinate(random) * 0.5f, coordinate(random) * 0.5f,
                               random() % 7 == 0 ? -0.0f : coordinate(random) * 0.5f});
    std::uniform_int_distribution<int> index(0, vertices - 1);
    for (int i = 0; i < faces * 3; ++i) m.indices.push_back(static_cast<WORD>(index(random)));
    if (random() % 8 == 0) {
        m.indices[random() % m.indices.size()] = static_cast<WORD>(vertices + random() % 3);
        m.valid = false;
    }
    for (int f = 0; f < faces; ++f) m.attributes.push_back(random() % 3);
    return m;
}

bool InRange(ID3DXBaseMesh* mesh) {
    for (WORD i : IndicesOf(mesh))
        if (i >= mesh->GetNumVertices()) return false;
    return true;
}

void Exercise(const RandomMesh& m, std::mt19937& random) {
    Held<ID3DXMesh> mesh = MakeMesh(m.positions, m.indices, m.attributes);
    ASSERT_TRUE(mesh);
    const DWORD faces = mesh->GetNumFaces();
    std::vector<DWORD> adjacency(faces * 3, 0);
    const HRESULT adjacent = mesh->GenerateAdjacency(random() % 2 ? 0.0f : 0.6f, adjacency.data());
    EXPECT_EQ(SUCCEEDED(adjacent), m.valid);
    // Sometimes hand the calls adjacency that means nothing.
    if (random() % 3 == 0)
        for (DWORD& a : adjacency) a = random() % (faces + 2);

    Held<ID3DXBuffer> text;
    const HRESULT valid = D3DXValidMesh(mesh.get(), adjacency.data(), text.out());
    if (!m.valid) {
        EXPECT_LT(valid, 0);
    }

    Held<ID3DXMesh> clean;
    const HRESULT cleaned = D3DXCleanMesh(mesh.get(), adjacency.data(), clean.out(), adjacency.data(), nullptr);
    if (!m.valid) {
        EXPECT_LT(cleaned, 0);
    }
    if (SUCCEEDED(cleaned)) {
        EXPECT_TRUE(InRange(clean.get()));
        EXPECT_EQ(clean->GetNumFaces(), faces);
        mesh.reset(clean.p);
        clean.p = nullptr;
    }

    D3DXWELDEPSILONS epsilons{};
    const HRESULT welded = D3DXWeldVertices(mesh.get(), &epsilons, adjacency.data(), adjacency.data(), nullptr, nullptr);
    if (!m.valid) {
        EXPECT_LT(welded, 0);
    }
    EXPECT_EQ(SUCCEEDED(D3DXComputeNormals(mesh.get(), nullptr)), m.valid);
    for (const MeshVertex& v : Vertices(mesh.get())) EXPECT_FALSE(v.nx != v.nx || v.ny != v.ny || v.nz != v.nz);

    const DWORD flags = (random() % 2 ? D3DXMESHOPT_COMPACT : 0) | (random() % 2 ? D3DXMESHOPT_ATTRSORT : 0) |
                        (random() % 2 ? D3DXMESHOPT_VERTEXCACHE : 0);
    std::vector<DWORD> faceRemap(faces, 0);
    Held<ID3DXBuffer> vertexRemap;
    const HRESULT optimised = mesh->OptimizeInplace(flags, random() % 2 ? adjacency.data() : nullptr,
                                                    adjacency.data(), faceRemap.data(), vertexRemap.out());
    EXPECT_EQ(SUCCEEDED(optimised), m.valid);
    if (SUCCEEDED(optimised)) {
        EXPECT_TRUE(InRange(mesh.get()));
        for (DWORD a : adjacency) EXPECT_TRUE(a < faces || a == kNone);
        EXPECT_EQ(vertexRemap->GetBufferSize(), mesh->GetNumVertices() * sizeof(DWORD));
    }

    Held<ID3DXPMesh> pmesh;
    const HRESULT generated = D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, nullptr, random() % 5,
                                                random() % 2 ? D3DXMESHSIMP_VERTEX : D3DXMESHSIMP_FACE, pmesh.out());
    EXPECT_EQ(SUCCEEDED(generated), m.valid);
    if (SUCCEEDED(generated) && random() % 4 == 0) {
        // Stopping early keeps the levels above the stop as they were.
        Held<ID3DXPMesh> full, partial;
        ASSERT_EQ(D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, nullptr, 1, D3DXMESHSIMP_VERTEX, full.out()), D3D_OK);
        const DWORD floor = full->GetMinVertices() + random() % (full->GetMaxVertices() - full->GetMinVertices() + 1);
        ASSERT_EQ(D3DXGeneratePMesh(mesh.get(), nullptr, nullptr, nullptr, floor, D3DXMESHSIMP_VERTEX, partial.out()),
                  D3D_OK);
        ExpectSameLevels(full.get(), partial.get(), floor);
    }
    if (SUCCEEDED(generated)) {
        for (int round = 0; round < 4; ++round) {
            ASSERT_EQ(pmesh->SetNumVertices(random() % (pmesh->GetMaxVertices() + 2)), D3D_OK);
            EXPECT_GE(pmesh->GetNumVertices(), pmesh->GetMinVertices());
            EXPECT_TRUE(InRange(pmesh.get()));
            Held<ID3DXMesh> level;
            ASSERT_EQ(pmesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, nullptr, level.out()), D3D_OK);
            const Indices indices = IndicesOf(level.get());
            for (std::size_t i = 0; i < indices.size(); i += 3)
                EXPECT_TRUE(indices[i] != indices[i + 1] && indices[i + 1] != indices[i + 2] &&
                            indices[i] != indices[i + 2]);
        }
    }
    EXPECT_LT(mesh->DrawSubset(0), 0);  // no device
}

TEST(MeshRandom, EveryCallOnRandomMeshes) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 1000; ++round) {
        SCOPED_TRACE(round);
        const RandomMesh m = MakeRandom(random);
        Exercise(m, random);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace orbel::test
