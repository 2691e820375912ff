#include "model/ArchiveChecks.h"

#include <algorithm>
#include <bit>

// Arrays go to and from the file as they lie in memory.
static_assert(std::endian::native == std::endian::little, "scene files are little-endian");

namespace scenefile {

void Reject()
{
    AfxThrowArchiveException(CArchiveException::badIndex);
}

void CheckCount(CArchive& ar, std::int64_t count, std::size_t bytesPerElement)
{
    if (count < 0)
        Reject();
    const std::uint64_t available = ar.GetBytesLeft();
    if (static_cast<std::uint64_t>(count) > available / std::max<std::size_t>(bytesPerElement, 1))
        Reject();
}

namespace {
// The archive moves at most a UINT per call.
constexpr std::size_t kChunk = std::size_t{1} << 30;
}  // namespace

void ReadExactly(CArchive& ar, void* target, std::size_t bytes)
{
    auto* out = static_cast<char*>(target);
    while (bytes > 0) {
        const UINT wanted = static_cast<UINT>(std::min(bytes, kChunk));
        ar.EnsureRead(out, wanted);
        out += wanted;
        bytes -= wanted;
    }
}

void WriteBytes(CArchive& ar, const void* source, std::size_t bytes)
{
    const auto* in = static_cast<const char*>(source);
    while (bytes > 0) {
        const UINT part = static_cast<UINT>(std::min(bytes, kChunk));
        ar.Write(in, part);
        in += part;
        bytes -= part;
    }
}

}  // namespace scenefile
