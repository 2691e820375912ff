#include "MeshAdjacency.h"
#include "MeshBase.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
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
    // neighbours. Each is one number: the higher point above its edge
    // (face x 3 + corner) and a bit for running from the lower point up, so
    // sorting a bucket orders by higher point, then face order (edge numbers
    // fit 31 bits: that many faces could not be held in memory).
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
    std::vector<std::uint64_t> edges(start[count]);
    std::vector<DWORD> fill(start.begin(), start.end() - 1);
    for (DWORD f = 0; f < faces; ++f) {
        if (!proper(f)) continue;
        for (int c = 0; c < 3; ++c) {
            const DWORD a = corner(f, c), b = corner(f, (c + 1) % 3);
            const std::uint64_t edge = std::uint64_t{f} * 3 + static_cast<DWORD>(c);
            edges[fill[std::min(a, b)]++] = std::uint64_t{std::max(a, b)} << 32 | edge << 1 | (a < b ? 1u : 0u);
        }
    }
    // Nothing below allocates: `out` is written only once everything it
    // needs is in hand.
    std::fill(out, out + std::size_t{faces} * 3, kNoFace);
    auto higher = [](std::uint64_t e) { return static_cast<DWORD>(e >> 32); };
    auto face = [](std::uint64_t e) { return static_cast<DWORD>((e & 0xFFFFFFFFu) >> 1) / 3; };
    auto up = [](std::uint64_t e) { return (e & 1u) != 0; };
    for (DWORD p = 0; p < count; ++p) {
        std::uint64_t* begin = edges.data() + start[p];
        std::uint64_t* end = edges.data() + start[p + 1];
        if (end - begin < 2) continue;
        std::sort(begin, end);
        // Within one edge, the i-th half-edge each way (in face order) pair up.
        for (std::uint64_t* run = begin; run != end;) {
            std::uint64_t* runEnd = run;
            while (runEnd != end && higher(*runEnd) == higher(*run)) ++runEnd;
            std::uint64_t* ups = run;
            std::uint64_t* downs = run;
            for (;;) {
                while (ups != runEnd && !up(*ups)) ++ups;
                while (downs != runEnd && up(*downs)) ++downs;
                if (ups == runEnd || downs == runEnd) break;
                out[(*ups & 0xFFFFFFFFu) >> 1] = face(*downs);
                out[(*downs & 0xFFFFFFFFu) >> 1] = face(*ups);
                ++ups;
                ++downs;
            }
            run = runEnd;
        }
    }
}

void ComputeAdjacency(const MeshData& mesh, float epsilon, DWORD* out) {
    AdjacencyOfPoints(mesh, PointRepresentatives(mesh, epsilon), out);
}

}  // namespace orbel::d3dx8
