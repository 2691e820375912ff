// Presented images on their way from the GPU to their windows. A present
// only flushes the drawing and notes the back buffer's texture; landing
// reads the texture back, by then rasterised, and hands the pixels over.
// Until then the texture is held: drawing into it or writing it through a
// lock first lands what was presented from it, and a surface that gives it
// back leaves it with the read-back, so the pool hands it out again only
// once it has landed.
#pragma once

#include "Gl.h"

#include <d3d8/PresentTarget.h>

namespace orbel::d3d8 {

class GlContext;

// Notes the colour texture `texture` (GL_RGBA8, width x height) as presented
// to `window`. `target` null keeps the image for the tests. An image for
// the same window still on its way is dropped.
void BeginReadBack(GlContext& gl, GLuint texture, int width, int height, HWND window, IPresentTarget* target);

// Lands the images on their way for `window`, or for every window when it
// is null, oldest first.
void LandReadBacks(HWND window);

// Lands the images presented from `texture` before it is written.
void LandReadBacksOf(GLuint texture);

// Takes `texture` over from a surface that gives it back while an image is
// read from it; false when none is (then the caller gives it back itself).
bool AdoptReadTexture(GLuint texture);

}  // namespace orbel::d3d8
