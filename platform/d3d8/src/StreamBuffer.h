// A persistently mapped ring buffer through which vertices and indices
// drawn from program memory reach the GL. Writing never waits for earlier
// draws except when the ring wraps around. The ring starts small, so that
// making a device stays cheap, and grows to its largest size the first time
// it would wrap.
#pragma once

#include "Gl.h"

#include <cstddef>

namespace orbel::d3d8 {

// A device's ring starts at a size a small scene fills in a paint and grows
// to what four views of a large one take.
constexpr std::size_t kStreamRingStartCapacity = 4u << 20;
constexpr std::size_t kStreamRingMaxCapacity = 64u << 20;

class StreamBuffer {
public:
    StreamBuffer(std::size_t initialCapacity, std::size_t maxCapacity);
    StreamBuffer(const StreamBuffer&) = delete;
    StreamBuffer& operator=(const StreamBuffer&) = delete;
    ~StreamBuffer();

    // Room for `size` bytes at an offset that is a multiple of `alignment`
    // (a power of two); returns the byte offset in the buffer and the
    // pointer to write to, or nullptr when size exceeds the largest
    // capacity.
    unsigned char* Allocate(std::size_t size, std::size_t& offset, std::size_t alignment = 16);
    // The GL buffer; a grown ring is a new buffer.
    GLuint Name() const { return name_; }
    // Counts the wrap-arounds and growths. A draw may only read data written
    // in the current lap: data of an earlier lap gets overwritten after the
    // wait, or lies in the buffer given up.
    unsigned Lap() const { return lap_; }

    // Makes the storage of one ring of the start size ahead, with the
    // context current on this thread (the driver clears new storage: a few
    // milliseconds for 4 MB). The next ring of that size takes it over;
    // whoever makes the ring must be ordered after this call.
    static void MakeStartStorageAhead();

private:
    void Create(std::size_t capacity);
    void Destroy();

    GLuint name_ = 0;
    unsigned char* mapped_ = nullptr;
    std::size_t capacity_ = 0;
    std::size_t maxCapacity_;
    std::size_t head_ = 0;
    unsigned lap_ = 0;
};

}  // namespace orbel::d3d8
