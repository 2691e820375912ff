// One entry per file reader of the program, taking a whole file as bytes.
// The libFuzzer targets call them, and the regression test replays every
// stored finding through them. An entry returns 0; it traps when a reader
// breaks a promise it can check (a read that succeeds must be writable and
// read back the same).
#pragma once

#include <cstddef>
#include <cstdint>

namespace orbel::fuzz {

int ReadXFileEntry(const std::uint8_t* data, std::size_t size);
int LoadSceneFileEntry(const std::uint8_t* data, std::size_t size);
int DecodeBmpEntry(const std::uint8_t* data, std::size_t size);
int DecodeTgaEntry(const std::uint8_t* data, std::size_t size);
int DecodePngEntry(const std::uint8_t* data, std::size_t size);
int DecodeJpegEntry(const std::uint8_t* data, std::size_t size);

}  // namespace orbel::fuzz
