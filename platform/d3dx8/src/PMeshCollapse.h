// The collapse sequence of a progressive mesh: vertices removed one at a
// time, each moved onto a neighbour, cheapest first by quadric error.
#pragma once

#include "MeshData.h"

namespace orbel::d3dx8 {

constexpr DWORD kNeverRemoved = 0xFFFFFFFFu;

struct CollapseSequence {
    // Per vertex: the step that removes it (kNeverRemoved for survivors) and
    // the vertex it moves onto then (kNoFace for a vertex no face uses).
    std::vector<DWORD> removedAt;
    std::vector<DWORD> target;
    DWORD steps = 0;
};

// Collapses until `minVertices` vertices are left, a further collapse would
// leave fewer than `minFaces` faces, or no collapse is allowed. Indices must
// be in range.
CollapseSequence BuildCollapses(const MeshData& mesh, DWORD minVertices, DWORD minFaces);

// The vertex that `vertex` has become after `steps` collapses.
inline DWORD VertexAfter(const CollapseSequence& sequence, DWORD vertex, DWORD steps) {
    while (sequence.removedAt[vertex] < steps) vertex = sequence.target[vertex];
    return vertex;
}

}  // namespace orbel::d3dx8
