#include "PresentReadBacks.h"

#include "GlContext.h"
#include "DeviceHookState.h"

#include <algorithm>
#include <vector>

namespace orbel::d3d8 {
namespace {

struct ReadBack {
    HWND window;
    IPresentTarget* target;  // null: kept for the tests
    GlContext* gl;
    GLuint texture;
    int width;
    int height;
    bool ownsTexture;  // its surface is gone: returned to the pool after landing
};

// Oldest first; a handful at most (one per window).
std::vector<ReadBack>& OnTheirWay() {
    static std::vector<ReadBack> readBacks;
    return readBacks;
}

std::vector<BYTE>& LandingScratch() {
    static std::vector<BYTE> pixels;
    return pixels;
}

// Done with a read-back taken off the list: a texture it owns goes to
// another read-back of it, or back to the pool.
void Finish(const ReadBack& readBack) {
    if (!readBack.ownsTexture) return;
    std::vector<ReadBack>& readBacks = OnTheirWay();
    const auto other = std::find_if(readBacks.rbegin(), readBacks.rend(),
                                    [&](const ReadBack& r) { return r.texture == readBack.texture; });
    if (other != readBacks.rend())
        other->ownsTexture = true;
    else
        readBack.gl->ReturnTexture(readBack.texture, GL_RGBA8, readBack.width, readBack.height);
}

void Land(const ReadBack& readBack) {
    const int pitch = readBack.width * 4;
    std::vector<BYTE>& pixels = LandingScratch();
    pixels.resize(static_cast<std::size_t>(pitch) * static_cast<std::size_t>(readBack.height));
    // Waiting for the drawing first is much faster on llvmpipe than letting
    // the read itself stall on the unfinished scene.
    glFinish();
    glGetTextureImage(readBack.texture, 0, GL_BGRA, GL_UNSIGNED_BYTE, static_cast<GLsizei>(pixels.size()),
                      pixels.data());
    if (readBack.target)
        readBack.target->PresentImage(readBack.window, pixels.data(), readBack.width, readBack.height, pitch);
    else
        PresentUnshown(readBack.window, pixels.data(), readBack.width, readBack.height, pitch);
}

template <class Which>
void LandEach(Which which) {
    std::vector<ReadBack>& readBacks = OnTheirWay();
    // Taken off the list before landing: a target may present again while
    // it is handed an image.
    for (;;) {
        const auto next = std::find_if(readBacks.begin(), readBacks.end(), which);
        if (next == readBacks.end()) return;
        const ReadBack landing = *next;
        readBacks.erase(next);
        Land(landing);
        Finish(landing);
    }
}

}  // namespace

void BeginReadBack(GlContext& gl, GLuint texture, int width, int height, HWND window, IPresentTarget* target) {
    std::vector<ReadBack>& readBacks = OnTheirWay();
    const auto older = std::find_if(readBacks.begin(), readBacks.end(),
                                    [window](const ReadBack& r) { return r.window == window; });
    if (older != readBacks.end()) {
        const ReadBack dropped = *older;
        readBacks.erase(older);
        Finish(dropped);
    }
    // The rasteriser starts on this view while the caller draws the next.
    glFlush();
    readBacks.push_back(ReadBack{window, target, &gl, texture, width, height, false});
    if (target) target->ImageComing(window);
}

void LandReadBacks(HWND window) {
    LandEach([window](const ReadBack& r) { return !window || r.window == window; });
}

void LandReadBacksOf(GLuint texture) {
    if (OnTheirWay().empty()) return;
    LandEach([texture](const ReadBack& r) { return r.texture == texture; });
}

bool AdoptReadTexture(GLuint texture) {
    std::vector<ReadBack>& readBacks = OnTheirWay();
    const auto newest = std::find_if(readBacks.rbegin(), readBacks.rend(),
                                     [texture](const ReadBack& r) { return r.texture == texture; });
    if (newest == readBacks.rend()) return false;
    newest->ownsTexture = true;
    return true;
}

}  // namespace orbel::d3d8

void D3D8LandPresents() { orbel::d3d8::LandReadBacks(nullptr); }

void D3D8LandPresentsFor(HWND hWnd) {
    if (hWnd) orbel::d3d8::LandReadBacks(hWnd);
}
