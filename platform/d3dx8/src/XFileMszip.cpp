// Compressed ".x" bodies: a 32-bit total size (header included), then blocks
// of {16-bit uncompressed size, 16-bit compressed size counting the "CK"
// signature, "CK", raw deflate data}. Each block may refer back into the
// bytes the previous blocks produced, so the last 32 KB of output become the
// next block's dictionary.
#include "XFileMszip.h"

#include <zlib.h>

#include <algorithm>

namespace orbel::d3dx8 {
namespace {

constexpr std::size_t kHeaderBytes = 16;
constexpr std::size_t kWindowBytes = 32768;

std::uint32_t Read16(const BYTE* p) { return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8; }

class RawInflater {
public:
    RawInflater() { ok_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
    ~RawInflater() {
        if (ok_) inflateEnd(&stream_);
    }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // Inflates one block into out[outBegin, outBegin + outSize), with the
    // bytes before outBegin (up to one window) as dictionary.
    bool Block(std::span<const BYTE> in, std::vector<BYTE>& out, std::size_t outBegin, std::size_t outSize) {
        if (!ok_ || inflateReset(&stream_) != Z_OK) return false;
        const std::size_t dictionary = std::min(outBegin, kWindowBytes);
        if (dictionary > 0 &&
            inflateSetDictionary(&stream_, out.data() + outBegin - dictionary, static_cast<uInt>(dictionary)) != Z_OK)
            return false;
        stream_.next_in = const_cast<Bytef*>(in.data());
        stream_.avail_in = static_cast<uInt>(in.size());
        stream_.next_out = out.data() + outBegin;
        stream_.avail_out = static_cast<uInt>(outSize);
        const int result = inflate(&stream_, Z_FINISH);
        // The block must end its deflate stream exactly where its size says.
        return result == Z_STREAM_END && stream_.avail_out == 0;
    }

private:
    z_stream stream_{};
    bool ok_ = false;
};

}  // namespace

bool InflateMszip(std::span<const BYTE> body, std::vector<BYTE>& out, std::size_t maxBytes) {
    out.clear();
    if (body.size() < 4) return false;
    const std::size_t total = Read16(body.data()) | Read16(body.data() + 2) << 16;
    if (total < kHeaderBytes || total - kHeaderBytes > maxBytes) return false;
    const std::size_t expected = total - kHeaderBytes;

    RawInflater inflater;
    std::size_t pos = 4;
    std::size_t produced = 0;
    while (pos < body.size() && produced < expected) {
        if (body.size() - pos < 6) return false;
        const std::size_t plainSize = Read16(body.data() + pos);
        const std::size_t packedSize = Read16(body.data() + pos + 2);
        pos += 4;
        if (packedSize < 2 || packedSize > body.size() - pos || body[pos] != 'C' || body[pos + 1] != 'K') return false;
        if (plainSize == 0 || plainSize > expected - produced) return false;
        out.resize(produced + plainSize);
        if (!inflater.Block(body.subspan(pos + 2, packedSize - 2), out, produced, plainSize)) {
            out.clear();
            return false;
        }
        produced += plainSize;
        pos += packedSize;
    }
    if (produced != expected) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace orbel::d3dx8
