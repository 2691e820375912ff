// A persistently mapped ring buffer through which vertices and indices
// drawn from program memory reach the GL. Writing never waits for earlier
// draws except when the ring wraps around.
#pragma once

#include "Gl.h"

#include <cstddef>

namespace orbel::d3d8 {

class StreamBuffer {
public:
    explicit StreamBuffer(std::size_t capacity);
    StreamBuffer(const StreamBuffer&) = delete;
    StreamBuffer& operator=(const StreamBuffer&) = delete;
    ~StreamBuffer();

    // Room for `size` bytes at an offset that is a multiple of `alignment`
    // (a power of two); returns the byte offset in the buffer and the
    // pointer to write to, or nullptr when size exceeds the capacity.
    unsigned char* Allocate(std::size_t size, std::size_t& offset, std::size_t alignment = 16);
    GLuint Name() const { return name_; }
    // Counts the wrap-arounds. A draw may only read data written in the
    // current lap: data of an earlier lap gets overwritten after the wait.
    unsigned Lap() const { return lap_; }

private:
    GLuint name_ = 0;
    unsigned char* mapped_ = nullptr;
    std::size_t capacity_;
    std::size_t head_ = 0;
    unsigned lap_ = 0;
};

}  // namespace orbel::d3d8
