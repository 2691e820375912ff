// The yardstick for the device's speed: the same kind of drawing done with
// plain OpenGL in the layer's context. A mesh lives in GL buffers and is drawn
// depth-tested into four viewports of one framebuffer, which is then read
// back. Benchmarks compare the device against it; it lives in a library of its
// own that only the benchmarks link, beside the layer rather than in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class PlainGlReference {
public:
    // Vertices as the device's FVF 0x112 (position, normal, texture
    // coordinates: 8 floats); nullptr without an OpenGL device.
    static std::unique_ptr<PlainGlReference> Create(const float* vertices, std::size_t vertexCount,
                                                    const std::uint16_t* indices, std::size_t indexCount);
    ~PlainGlReference();
    PlainGlReference(const PlainGlReference&) = delete;
    PlainGlReference& operator=(const PlainGlReference&) = delete;

    // Draws the mesh lit with the row-vector matrix worldViewProjection into
    // the four width x height quarters of a 2 width x 2 height framebuffer
    // and reads all of it back as B, G, R, A bytes.
    void DrawFourViews(const float worldViewProjection[16], int width, int height, std::vector<std::uint8_t>& bgra);

    // What a view in solid-with-wire mode draws, done the plain way.
    struct Passes {
        bool grid = true;    // 20 x 20 unit cells and the two axes, one draw
        bool solid = true;   // the lit triangles
        bool wire = true;    // every edge once, as lines in a flat colour
        bool points = true;  // every vertex as a 2-pixel point
    };
    // The passes into the four quarters, each quarter with its own camera
    // (scene[v]) and grid placement (grid[v], row-vector matrices), then
    // read back as above.
    void DrawFourViews(const float* const scene[4], const float* const grid[4], const Passes& passes, int width,
                       int height, std::vector<std::uint8_t>& bgra);

private:
    PlainGlReference() = default;
    void BindTarget(int width, int height);
    void ReadBack(int width, int height, std::vector<std::uint8_t>& bgra);
    struct Objects;
    std::unique_ptr<Objects> gl_;
};
