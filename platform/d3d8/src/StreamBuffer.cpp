#include "StreamBuffer.h"

namespace orbel::d3d8 {

StreamBuffer::StreamBuffer(std::size_t capacity) : capacity_(capacity) {
    const GLbitfield flags = GL_MAP_WRITE_BIT | GL_MAP_PERSISTENT_BIT | GL_MAP_COHERENT_BIT;
    glCreateBuffers(1, &name_);
    glNamedBufferStorage(name_, static_cast<GLsizeiptr>(capacity_), nullptr, flags);
    mapped_ = static_cast<unsigned char*>(glMapNamedBufferRange(name_, 0, static_cast<GLsizeiptr>(capacity_), flags));
}

StreamBuffer::~StreamBuffer() {
    if (mapped_) glUnmapNamedBuffer(name_);
    glDeleteBuffers(1, &name_);
}

unsigned char* StreamBuffer::Allocate(std::size_t size, std::size_t& offset, std::size_t alignment) {
    if (!mapped_ || size > capacity_) return nullptr;
    std::size_t start = (head_ + alignment - 1) & ~(alignment - 1);
    if (start + size > capacity_) {
        // Everything drawn so far may still read the start of the ring.
        GLsync fence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
        glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, GLuint64(-1));
        glDeleteSync(fence);
        start = 0;
        ++lap_;
    }
    head_ = start + size;
    offset = start;
    return mapped_ + start;
}

}  // namespace orbel::d3d8
