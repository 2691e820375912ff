// Building ".x" files for the reader tests: text bodies behind a header,
// binary token streams, and MSZIP compression of either.
#pragma once

#include "TestData.h"
#include <d3dx8/XFileData.h>

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace orbel::test {

using XBytes = std::vector<unsigned char>;

inline XBytes ReadSample(const std::string& name) {
    std::ifstream in(TestDataPath("x/" + name), std::ios::binary);
    return XBytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline XBytes TextX(const std::string& body, const char* header = "xof 0303txt 0032") {
    const std::string all = std::string(header) + "\n" + body;
    return XBytes(all.begin(), all.end());
}

inline bool ReadX(const XBytes& bytes, d3dx8::XMeshData& mesh) { return d3dx8::ReadXFile(bytes, mesh); }

// Binary token stream after a "bin " header.
class BinaryX {
public:
    explicit BinaryX(int floatBytes = 4) : floatBytes_(floatBytes) {
        const std::string header = floatBytes == 8 ? "xof 0303bin 0064" : "xof 0303bin 0032";
        bytes_.assign(header.begin(), header.end());
    }
    BinaryX& Code(std::uint16_t code) {
        Put(&code, 2);
        return *this;
    }
    BinaryX& Name(const std::string& name) {
        Code(1);
        Put32(static_cast<std::uint32_t>(name.size()));
        Put(name.data(), name.size());
        return *this;
    }
    BinaryX& String(const std::string& text) {
        Code(2);
        Put32(static_cast<std::uint32_t>(text.size()));
        Put(text.data(), text.size());
        Put32(20);  // ";" ending the string
        return *this;
    }
    BinaryX& Open() { return Code(10); }
    BinaryX& Close() { return Code(11); }
    BinaryX& Ints(const std::vector<std::uint32_t>& values) {
        Code(6);
        Put32(static_cast<std::uint32_t>(values.size()));
        for (std::uint32_t v : values) Put32(v);
        return *this;
    }
    BinaryX& Floats(const std::vector<double>& values) {
        Code(7);
        Put32(static_cast<std::uint32_t>(values.size()));
        for (double v : values) {
            if (floatBytes_ == 8) {
                Put(&v, 8);
            } else {
                const float f = static_cast<float>(v);
                Put(&f, 4);
            }
        }
        return *this;
    }
    const XBytes& Bytes() const { return bytes_; }

private:
    void Put(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }
    void Put32(std::uint32_t v) { Put(&v, 4); }

    XBytes bytes_;
    int floatBytes_;
};

// The compressed form of an uncompressed file: blocks of `blockSize` bytes,
// each deflated with the previous output as its dictionary.
inline XBytes CompressX(const XBytes& plain, std::size_t blockSize) {
    XBytes out(plain.begin(), plain.begin() + 16);
    const bool text = std::memcmp(plain.data() + 8, "txt ", 4) == 0;
    std::memcpy(out.data() + 8, text ? "tzip" : "bzip", 4);
    const std::uint32_t total = static_cast<std::uint32_t>(plain.size());
    out.insert(out.end(), {static_cast<unsigned char>(total), static_cast<unsigned char>(total >> 8),
                           static_cast<unsigned char>(total >> 16), static_cast<unsigned char>(total >> 24)});
    for (std::size_t at = 16; at < plain.size(); at += blockSize) {
        const std::size_t n = std::min(blockSize, plain.size() - at);
        z_stream z{};
        deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        const std::size_t dictionary = std::min<std::size_t>(at - 16, 32768);
        if (dictionary > 0) deflateSetDictionary(&z, plain.data() + at - dictionary, static_cast<uInt>(dictionary));
        XBytes packed(deflateBound(&z, static_cast<uLong>(n)) + 16);
        z.next_in = const_cast<Bytef*>(plain.data() + at);
        z.avail_in = static_cast<uInt>(n);
        z.next_out = packed.data();
        z.avail_out = static_cast<uInt>(packed.size());
        deflate(&z, Z_FINISH);
        packed.resize(z.total_out);
        deflateEnd(&z);
        const std::size_t withSignature = packed.size() + 2;
        out.insert(out.end(), {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                               static_cast<unsigned char>(withSignature), static_cast<unsigned char>(withSignature >> 8),
                               'C', 'K'});
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

}  // namespace orbel::test
