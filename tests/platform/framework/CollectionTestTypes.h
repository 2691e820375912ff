// Element types that count their own lives, for the collection tests.
#pragma once

#include <string>

namespace orbel::test {

struct Counted {
    static inline int alive = 0;
    std::string text;

    Counted() { ++alive; }
    Counted(const char* t) : text(t) { ++alive; }
    Counted(const Counted& other) : text(other.text) { ++alive; }
    Counted(Counted&& other) noexcept : text(std::move(other.text)) { ++alive; }
    Counted& operator=(const Counted&) = default;
    Counted& operator=(Counted&&) noexcept = default;
    ~Counted() { --alive; }
    bool operator==(const Counted& other) const { return text == other.text; }
};

} // namespace orbel::test
