// What the D3DX texture and surface file functions use of the image
// codecs beyond the decoders (<d3dx8/ImageDecoders.h>): the decoder picked
// by signature and the BMP encoder.
#pragma once

#include <d3dx8/ImageDecoders.h>

#include <vector>

namespace orbel::d3dx8 {

// Picks the decoder by the file's signature (TGA has none and comes last).
bool DecodeImage(FileBytes file, DecodedImage& image);

// A bottom-up BMP file: 32 bits per pixel with alpha, else 24. `bgra` as in
// DecodedImage but with `pitch` bytes between rows.
std::vector<BYTE> EncodeBmp(const BYTE* bgra, int width, int height, int pitch, bool withAlpha);

}  // namespace orbel::d3dx8
