// Wireframe triangle lists drawn as lines. Drawing triangles in GL's line
// polygon mode sets up three lines per triangle, so every edge two triangles
// share is drawn twice; an edge list draws each edge once. The lists are
// kept per index content, so repaints and the other views reuse them.
#pragma once

#include "Gl.h"

#include <win32/Types.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orbel::d3d8 {

// The lines of a triangle list's edges as pairs of vertex indices. Each
// triangle (a, b, c) has the directed edges c-a, a-b and b-c, in the order
// the line polygon mode draws them; an edge met again (in either direction)
// is left out. A line leaves out its end pixel, so every vertex that starts
// an edge there still starts one here: where all of a vertex's edges came
// out ending at it, one of its own is added back. Every line drawn is thus
// one the polygon mode draws, and each pixel it drew at a vertex stays.
template <class Index>
ORBEL_TESTING_API std::vector<Index> BuildEdgeList(const Index* indices, std::size_t count);

class EdgeListCache {
public:
    struct Lines {
        GLuint buffer = 0;  // GL element buffer of the line list; 0 if none
        GLsizei count = 0;  // indices in it
    };

    EdgeListCache() = default;
    EdgeListCache(const EdgeListCache&) = delete;
    EdgeListCache& operator=(const EdgeListCache&) = delete;
    ~EdgeListCache();

    // The edge list of `count` indices of `indexSize` bytes (2 or 4), found
    // by its content or built and uploaded now. `deletedBuffers` tells
    // whether older lists' GL buffers were let go to make room.
    Lines Get(const void* indices, std::size_t count, std::size_t indexSize, bool& deletedBuffers);

private:
    struct Entry {
        std::size_t hash = 0;
        std::size_t indexSize = 0;
        std::vector<std::uint8_t> indices;  // the content, to rule out hash collisions
        Lines lines;
        std::uint64_t lastUse = 0;
    };

    std::size_t Bytes(const Entry& entry) const;
    void EvictBeyond(std::size_t bytes, std::size_t entries, bool& deletedBuffers);

    std::vector<Entry> entries_;
    std::size_t bytes_ = 0;
    std::uint64_t clock_ = 0;
};

}  // namespace orbel::d3d8
