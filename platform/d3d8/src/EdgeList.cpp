#include "EdgeList.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <string_view>

namespace orbel::d3d8 {
namespace {

// Lists kept at once, and the bytes their copies and buffers may take.
constexpr std::size_t kMaxEntries = 32;
constexpr std::size_t kMaxBytes = 64u << 20;

// An open-addressing set of undirected edges; keys are stored plus one, so
// that zero marks a free slot.
class EdgeSet {
public:
    explicit EdgeSet(std::size_t edges) : slots_(std::bit_ceil(std::max<std::size_t>(2 * edges, 16)), 0) {
        shift_ = 64 - std::countr_zero(slots_.size());
    }

    // true when the edge was not in the set yet.
    bool Insert(std::uint64_t from, std::uint64_t to) {
        const std::uint64_t key = (std::min(from, to) << 32 | std::max(from, to)) + 1;
        std::size_t slot = static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift_);
        const std::size_t mask = slots_.size() - 1;
        while (slots_[slot] != 0) {
            if (slots_[slot] == key) return false;
            slot = (slot + 1) & mask;
        }
        slots_[slot] = key;
        return true;
    }

private:
    std::vector<std::uint64_t> slots_;
    int shift_ = 0;
};

}  // namespace

template <class Index>
std::vector<Index> BuildEdgeList(const Index* indices, std::size_t count) {
    const std::size_t triangles = count / 3;
    std::vector<Index> lines;
    lines.reserve(4 * triangles);
    EdgeSet seen(3 * triangles);
    Index highest = 0;
    for (std::size_t k = 0; k < 3 * triangles; ++k) highest = std::max(highest, indices[k]);
    std::vector<std::uint8_t> starts(static_cast<std::size_t>(highest) + 1, 0);
    // The directed edge `e` (0..2) of triangle `t`: c-a, a-b, b-c.
    auto from = [&](std::size_t t, int e) { return indices[3 * t + (e + 2) % 3]; };
    auto to = [&](std::size_t t, int e) { return indices[3 * t + e]; };
    for (std::size_t t = 0; t < triangles; ++t) {
        for (int e = 0; e < 3; ++e) {
            if (!seen.Insert(from(t, e), to(t, e))) continue;
            lines.push_back(from(t, e));
            lines.push_back(to(t, e));
            starts[from(t, e)] = 1;
        }
    }
    for (std::size_t t = 0; t < triangles; ++t) {
        for (int e = 0; e < 3; ++e) {
            if (starts[from(t, e)]) continue;
            lines.push_back(from(t, e));
            lines.push_back(to(t, e));
            starts[from(t, e)] = 1;
        }
    }
    return lines;
}

template std::vector<std::uint16_t> BuildEdgeList(const std::uint16_t*, std::size_t);
template std::vector<std::uint32_t> BuildEdgeList(const std::uint32_t*, std::size_t);

EdgeListCache::~EdgeListCache() {
    for (const Entry& entry : entries_) glDeleteBuffers(1, &entry.lines.buffer);
}

std::size_t EdgeListCache::Bytes(const Entry& entry) const {
    return entry.indices.size() + static_cast<std::size_t>(entry.lines.count) * entry.indexSize;
}

void EdgeListCache::EvictBeyond(std::size_t bytes, std::size_t entries, bool& deletedBuffers) {
    while (!entries_.empty() && (bytes_ > bytes || entries_.size() > entries)) {
        auto oldest = std::min_element(entries_.begin(), entries_.end(),
                                       [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        bytes_ -= Bytes(*oldest);
        glDeleteBuffers(1, &oldest->lines.buffer);
        deletedBuffers = true;
        entries_.erase(oldest);
    }
}

EdgeListCache::Lines EdgeListCache::Get(const void* indices, std::size_t count, std::size_t indexSize,
                                        bool& deletedBuffers) {
    deletedBuffers = false;
    const std::size_t size = count * indexSize;
    const std::string_view content(static_cast<const char*>(indices), size);
    const std::size_t hash = std::hash<std::string_view>{}(content);
    ++clock_;
    for (Entry& entry : entries_) {
        if (entry.hash == hash && entry.indexSize == indexSize && entry.indices.size() == size &&
            std::memcmp(entry.indices.data(), indices, size) == 0) {
            entry.lastUse = clock_;
            return entry.lines;
        }
    }

    Entry entry;
    entry.hash = hash;
    entry.indexSize = indexSize;
    entry.indices.assign(static_cast<const std::uint8_t*>(indices), static_cast<const std::uint8_t*>(indices) + size);
    entry.lastUse = clock_;
    const void* lineData = nullptr;
    std::vector<std::uint16_t> narrow;
    std::vector<std::uint32_t> wide;
    if (indexSize == 2) {
        narrow = BuildEdgeList(static_cast<const std::uint16_t*>(indices), count);
        lineData = narrow.data();
        entry.lines.count = static_cast<GLsizei>(narrow.size());
    } else {
        wide = BuildEdgeList(static_cast<const std::uint32_t*>(indices), count);
        lineData = wide.data();
        entry.lines.count = static_cast<GLsizei>(wide.size());
    }
    if (entry.lines.count == 0) return {};
    EvictBeyond(kMaxBytes > Bytes(entry) ? kMaxBytes - Bytes(entry) : 0, kMaxEntries - 1, deletedBuffers);
    glCreateBuffers(1, &entry.lines.buffer);
    glNamedBufferStorage(entry.lines.buffer, static_cast<GLsizeiptr>(entry.lines.count) * indexSize, lineData, 0);
    bytes_ += Bytes(entry);
    entries_.push_back(std::move(entry));
    return entries_.back().lines;
}

}  // namespace orbel::d3d8
