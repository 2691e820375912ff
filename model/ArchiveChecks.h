// Guards for reading scene files: every count and index read from a file is
// checked before it sizes or addresses memory, and a file that fails a check
// is rejected as a whole with the framework's archive exception.
#pragma once

#include <framework/Core.h>

#include <cstddef>
#include <cstdint>

namespace scenefile {

// Raises CArchiveException (badIndex): the file is not a scene this program
// can hold.
[[noreturn]] void Reject();

// Rejects a count that is negative or that needs more bytes than are left
// in the archive, given the fewest bytes one element takes.
void CheckCount(CArchive& ar, std::int64_t count, std::size_t bytesPerElement);

// Reads exactly `bytes` bytes or raises the archive's end-of-file exception.
void ReadExactly(CArchive& ar, void* target, std::size_t bytes);
void WriteBytes(CArchive& ar, const void* source, std::size_t bytes);

}  // namespace scenefile
