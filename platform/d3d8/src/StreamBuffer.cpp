#include "StreamBuffer.h"

#include <algorithm>
#include <utility>

namespace orbel::d3d8 {
namespace {

constexpr GLbitfield kFlags = GL_MAP_WRITE_BIT | GL_MAP_PERSISTENT_BIT | GL_MAP_COHERENT_BIT;

// Storage of the start size made ahead, not yet taken over.
struct Storage {
    GLuint name = 0;
    unsigned char* mapped = nullptr;
};
Storage g_madeAhead;

Storage MakeStorage(std::size_t capacity) {
    Storage storage;
    glCreateBuffers(1, &storage.name);
    glNamedBufferStorage(storage.name, static_cast<GLsizeiptr>(capacity), nullptr, kFlags);
    storage.mapped =
        static_cast<unsigned char*>(glMapNamedBufferRange(storage.name, 0, static_cast<GLsizeiptr>(capacity), kFlags));
    return storage;
}

}  // namespace

void StreamBuffer::MakeStartStorageAhead() {
    if (g_madeAhead.name != 0) return;
    g_madeAhead = MakeStorage(kStreamRingStartCapacity);
}

StreamBuffer::StreamBuffer(std::size_t initialCapacity, std::size_t maxCapacity)
    : maxCapacity_(std::max(initialCapacity, maxCapacity)) {
    Create(initialCapacity);
}

StreamBuffer::~StreamBuffer() { Destroy(); }

void StreamBuffer::Create(std::size_t capacity) {
    capacity_ = capacity;
    Storage storage;
    if (capacity == kStreamRingStartCapacity && g_madeAhead.name != 0)
        std::swap(storage, g_madeAhead);
    else
        storage = MakeStorage(capacity);
    name_ = storage.name;
    mapped_ = storage.mapped;
}

void StreamBuffer::Destroy() {
    // Draws still reading the buffer keep its storage until they are done.
    if (mapped_) glUnmapNamedBuffer(name_);
    glDeleteBuffers(1, &name_);
    mapped_ = nullptr;
    name_ = 0;
}

unsigned char* StreamBuffer::Allocate(std::size_t size, std::size_t& offset, std::size_t alignment) {
    if (!mapped_ || size > maxCapacity_) return nullptr;
    std::size_t start = (head_ + alignment - 1) & ~(alignment - 1);
    if (start + size > capacity_) {
        if (capacity_ < maxCapacity_) {
            // A fresh buffer of the largest size instead of waiting for the
            // draws; growing at once means a draw moves to a new lap at most
            // once, as with a wrap.
            Destroy();
            Create(maxCapacity_);
            if (!mapped_) return nullptr;
        } else {
            // Everything drawn so far may still read the start of the ring.
            GLsync fence = glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
            glClientWaitSync(fence, GL_SYNC_FLUSH_COMMANDS_BIT, GLuint64(-1));
            glDeleteSync(fence);
        }
        start = 0;
        ++lap_;
    }
    head_ = start + size;
    offset = start;
    return mapped_ + start;
}

}  // namespace orbel::d3d8
