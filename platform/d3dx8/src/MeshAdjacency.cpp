#include "MeshAdjacency.h"
#include "MeshBase.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace orbel::d3dx8 {
namespace {

DWORD Root(std::vector<DWORD>& parent, DWORD v) {
    while (parent[v] != v) {
        parent[v] = parent[parent[v]];
        v = parent[v];
    }
    return v;
}

// Union of everything within epsilon, by a sweep along x.
std::vector<DWORD> NearPoints(const MeshData& mesh, float epsilon) {
    const DWORD count = mesh.NumVertices();
    std::vector<std::array<float, 3>> positions(count);
    for (DWORD v = 0; v < count; ++v) mesh.Position(v, positions[v].data());
    std::vector<DWORD> order(count);
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](DWORD a, DWORD b) { return positions[a][0] < positions[b][0]; });
    std::vector<DWORD> parent(count);
    std::iota(parent.begin(), parent.end(), 0u);
    for (DWORD i = 0; i < count; ++i) {
        const auto& p = positions[order[i]];
        for (DWORD j = i + 1; j < count; ++j) {
            const auto& q = positions[order[j]];
            if (!(q[0] - p[0] <= epsilon)) break;
            if (std::abs(q[1] - p[1]) <= epsilon && std::abs(q[2] - p[2]) <= epsilon) {
                DWORD a = Root(parent, order[i]), b = Root(parent, order[j]);
                if (a != b) parent[std::max(a, b)] = std::min(a, b);
            }
        }
    }
    for (DWORD v = 0; v < count; ++v) parent[v] = Root(parent, v);
    return parent;
}

}  // namespace

std::vector<DWORD> PointRepresentatives(const MeshData& mesh, float epsilon) {
    if (epsilon > 0.0f) return NearPoints(mesh, epsilon);
    const DWORD count = mesh.NumVertices();
    // Bytewise matching after +0 replaced -0 (x + 0.0f does exactly that).
    std::vector<float> positions(std::size_t{count} * 3);
    for (DWORD v = 0; v < count; ++v) {
        mesh.Position(v, &positions[std::size_t{v} * 3]);
        for (int c = 0; c < 3; ++c) positions[std::size_t{v} * 3 + c] += 0.0f;
    }
    std::vector<unsigned int> unique(count);
    meshopt_generateVertexRemap(unique.data(), nullptr, count, positions.data(), count, 3 * sizeof(float));
    // Unique numbers come in order of first appearance, so the first vertex
    // of each number is its lowest.
    std::vector<DWORD> first(count, kNoFace), points(count);
    for (DWORD v = 0; v < count; ++v) {
        if (first[unique[v]] == kNoFace) first[unique[v]] = v;
        points[v] = first[unique[v]];
    }
    return points;
}

void AdjacencyOfPoints(const MeshData& mesh, const std::vector<DWORD>& points, DWORD* out) {
    const DWORD faces = mesh.NumFaces();
    const DWORD count = mesh.NumVertices();

    // Half-edges bucketed by their lower point (a counting sort keeps face
    // order inside each bucket); a face that touches a point twice has no
    // neighbours.
    struct HalfEdge {
        DWORD other;  // the higher point
        DWORD edge;   // face x 3 + corner
        bool up;      // runs from the lower point to the higher
    };
    auto corner = [&](DWORD f, int c) { return points[mesh.indices[std::size_t{f} * 3 + c]]; };
    auto proper = [&](DWORD f) {
        const DWORD a = corner(f, 0), b = corner(f, 1), c = corner(f, 2);
        return a != b && b != c && a != c;
    };
    std::vector<DWORD> start(std::size_t{count} + 1, 0);
    for (DWORD f = 0; f < faces; ++f) {
        if (!proper(f)) continue;
        for (int c = 0; c < 3; ++c) ++start[std::min(corner(f, c), corner(f, (c + 1) % 3)) + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::vector<HalfEdge> edges(start[count]);
    std::vector<DWORD> fill(start.begin(), start.end() - 1);
    for (DWORD f = 0; f < faces; ++f) {
        if (!proper(f)) continue;
        for (int c = 0; c < 3; ++c) {
            const DWORD a = corner(f, c), b = corner(f, (c + 1) % 3);
            edges[fill[std::min(a, b)]++] = {std::max(a, b), f * 3 + static_cast<DWORD>(c), a < b};
        }
    }
    // Nothing below allocates: `out` is written only once everything it
    // needs is in hand.
    std::fill(out, out + std::size_t{faces} * 3, kNoFace);
    for (DWORD p = 0; p < count; ++p) {
        HalfEdge* begin = edges.data() + start[p];
        HalfEdge* end = edges.data() + start[p + 1];
        if (end - begin < 2) continue;
        std::sort(begin, end, [](const HalfEdge& x, const HalfEdge& y) {
            return x.other != y.other ? x.other < y.other : x.edge < y.edge;
        });
        // Within one edge, the i-th half-edge each way (in face order) pair up.
        for (HalfEdge* run = begin; run != end;) {
            HalfEdge* runEnd = run;
            while (runEnd != end && runEnd->other == run->other) ++runEnd;
            HalfEdge* up = run;
            HalfEdge* down = run;
            for (;;) {
                while (up != runEnd && !up->up) ++up;
                while (down != runEnd && down->up) ++down;
                if (up == runEnd || down == runEnd) break;
                out[up->edge] = down->edge / 3;
                out[down->edge] = up->edge / 3;
                ++up;
                ++down;
            }
            run = runEnd;
        }
    }
}

void ComputeAdjacency(const MeshData& mesh, float epsilon, DWORD* out) {
    AdjacencyOfPoints(mesh, PointRepresentatives(mesh, epsilon), out);
}

}  // namespace orbel::d3dx8
