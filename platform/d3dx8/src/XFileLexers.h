// The two token readers behind the ".x" reader, one for each encoding, with
// the same operations so the object reader is written once for both.
//
// Separators (";" and ",") are not tokens: every count in a file says how
// many values follow, so the object reader asks for values by number and the
// separators between them carry nothing it needs. That also keeps files
// readable whose exporters were loose with them.
#pragma once

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>

namespace orbel::d3dx8::xfile {

enum class Tok { End, Error, Name, String, Number, OpenBrace, CloseBrace, Guid, Template, Other };

struct Token {
    Tok kind = Tok::End;
    std::string_view text;  // names and strings; in text files also the spelling of a number
};

// A double as the nearest float, infinity past the float range (where a
// plain conversion is undefined).
inline float NarrowFloat(double d) {
    if (d > std::numeric_limits<float>::max()) return std::numeric_limits<float>::infinity();
    if (d < -std::numeric_limits<float>::max()) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(d);
}

// Text files: "//" and "#" comments, any white space and line ends,
// "<...>" identifiers, quoted strings taken as they stand.
class TextLexer {
public:
    TextLexer(const char* begin, const char* end) : begin_(begin), p_(begin), end_(end) {}

    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }

    Token Next() {
        SkipFiller();
        if (p_ == end_) return {Tok::End, {}};
        const char c = *p_;
        if (c == '{') return ++p_, Token{Tok::OpenBrace, {}};
        if (c == '}') return ++p_, Token{Tok::CloseBrace, {}};
        if (c == '<') {
            const char* close = Find('>');
            if (!close) return {Tok::Error, {}};
            p_ = close + 1;
            return {Tok::Guid, {}};
        }
        if (c == '"') {
            std::string_view text;
            return ReadQuoted(text) ? Token{Tok::String, text} : Token{Tok::Error, {}};
        }
        if (IsWordChar(c)) {
            // Exporters name things "01_-_Default" or "3DS_Root": a word is
            // a number only when all of it reads as one.
            const char* start = p_;
            while (p_ != end_ && IsWordChar(*p_)) ++p_;
            p_ += OldStyleSuffix(p_);
            const std::string_view word(start, static_cast<std::size_t>(p_ - start));
            if (word == "template") return {Tok::Template, word};
            return {IsNumber(word) ? Tok::Number : Tok::Name, word};
        }
        ++p_;
        return {Tok::Other, {}};
    }

    // Consumes a "<...>" identifier when one comes next.
    void SkipGuid() {
        SkipFiller();
        if (p_ != end_ && *p_ == '<') {
            if (const char* close = Find('>')) p_ = close + 1;
        }
    }

    bool ReadDword(std::uint32_t& value) {
        SkipFiller();
        if (p_ != end_ && *p_ == '+') ++p_;
        const auto [next, error] = std::from_chars(p_, end_, value);
        if (error != std::errc() || (next != end_ && (*next == '.' || IsNameChar(*next)))) return false;
        p_ = next;
        return true;
    }

    // Non-finite and out-of-range values are read as they are spelled
    // (overflow as infinity); what they may reach is the caller's affair.
    bool ReadFloat(float& value) {
        SkipFiller();
        if (p_ != end_ && *p_ == '+') ++p_;
        if (const std::size_t length = OldStyleFloat(p_, value)) {
            p_ += length;
            return true;
        }
        const auto [next, error] = std::from_chars(p_, end_, value);
        if (error == std::errc::result_out_of_range) {
            // Denormals and overflow still name a value; take the nearest.
            double wide = 0;
            const auto [wideNext, wideError] = std::from_chars(p_, end_, wide);
            if (wideError != std::errc() && wideError != std::errc::result_out_of_range) return false;
            value = NarrowFloat(wide);
            p_ = wideNext;
            return true;
        }
        if (error != std::errc()) return false;
        p_ = next;
        return true;
    }

    bool ReadString(std::string_view& text) {
        SkipFiller();
        return p_ != end_ && *p_ == '"' && ReadQuoted(text);
    }

private:
    static bool IsNameChar(char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
               static_cast<unsigned char>(c) >= 0x80;
    }
    static bool IsWordChar(char c) { return IsNameChar(c) || c == '.' || c == '+'; }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    // Length of the "#QNAN0", "#IND00", "#INF00" or "#SNAN0" that older
    // runtimes printed after "1." for non-finite values, when `at` is on
    // one that follows such a "digits." word; 0 otherwise.
    std::size_t OldStyleSuffix(const char* at) const {
        if (at == end_ || *at != '#' || at - begin_ < 2 || at[-1] != '.' || !IsDigit(at[-2])) return 0;
        for (const char* kind : {"QNAN", "SNAN", "IND", "INF"}) {
            const std::size_t n = std::strlen(kind);
            if (static_cast<std::size_t>(end_ - at) > n && std::memcmp(at + 1, kind, n) == 0) {
                const char* q = at + 1 + n;
                while (q != end_ && IsDigit(*q)) ++q;
                return static_cast<std::size_t>(q - at);
            }
        }
        return 0;
    }

    // An old-style spelling at `at` ("-1.#IND00", "1.#INF00"): its value
    // and length, or 0 when there is none.
    std::size_t OldStyleFloat(const char* at, float& value) const {
        const char* q = at;
        const bool negative = q != end_ && *q == '-';
        if (negative) ++q;
        const char* digits = q;
        while (q != end_ && IsDigit(*q)) ++q;
        if (q == digits || q == end_ || *q != '.') return 0;
        ++q;
        const std::size_t suffix = OldStyleSuffix(q);
        if (suffix == 0) return 0;
        if (q[1] == 'I' && q[2] == 'N' && q[3] == 'F') {
            value = negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
        } else {
            value = std::numeric_limits<float>::quiet_NaN();
        }
        return static_cast<std::size_t>(q - at) + suffix;
    }

    bool IsNumber(std::string_view word) const {
        float value = 0;
        if (!word.empty() && word.front() == '+') word.remove_prefix(1);
        if (OldStyleFloat(word.data(), value) == word.size() && !word.empty()) return true;
        double wide = 0;
        const auto [next, error] = std::from_chars(word.data(), word.data() + word.size(), wide);
        return (error == std::errc() || error == std::errc::result_out_of_range) && next == word.data() + word.size();
    }

    void SkipFiller() {
        while (p_ != end_) {
            const char c = *p_;
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ';' || c == ',' || c == '\f' || c == '\v' ||
                c == '\0') {
                ++p_;
            } else if (c == '#' || (c == '/' && end_ - p_ > 1 && p_[1] == '/')) {
                const char* eol = Find('\n');
                p_ = eol ? eol + 1 : end_;
            } else {
                return;
            }
        }
    }

    const char* Find(char c) const {
        return static_cast<const char*>(std::memchr(p_, c, static_cast<std::size_t>(end_ - p_)));
    }

    bool ReadQuoted(std::string_view& text) {
        ++p_;
        const char* close = Find('"');
        if (!close) return false;
        text = std::string_view(p_, static_cast<std::size_t>(close - p_));
        p_ = close + 1;
        return true;
    }

    const char* begin_;
    const char* p_;
    const char* end_;
};

// Binary files: 16-bit token codes, names and strings with 32-bit lengths,
// and runs of 32-bit integers or 32/64-bit floats with 32-bit counts.
class BinaryLexer {
public:
    BinaryLexer(const unsigned char* begin, const unsigned char* end, int floatBytes)
        : p_(begin), end_(end), floatBytes_(floatBytes) {}

    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }

    Token Next() {
        DropList();
        for (;;) {
            std::uint32_t code = 0;
            if (!Take16(code)) return {Tok::End, {}};
            switch (code) {
            case kName: {
                std::string_view name;
                return TakeCounted(name) ? Token{Tok::Name, name} : Token{Tok::Error, {}};
            }
            case kString: {
                std::string_view text;
                if (!TakeCounted(text)) return {Tok::Error, {}};
                TakeStringEnd();
                return {Tok::String, text};
            }
            case kInteger:
                return Skip(4) ? Token{Tok::Number, {}} : Token{Tok::Error, {}};
            case kGuid:
                return Skip(16) ? Token{Tok::Guid, {}} : Token{Tok::Error, {}};
            case kIntegerList:
            case kFloatList: {
                if (!StartList(code)) return {Tok::Error, {}};
                DropList();
                return {Tok::Number, {}};
            }
            case kOpenBrace:
                return {Tok::OpenBrace, {}};
            case kCloseBrace:
                return {Tok::CloseBrace, {}};
            case kComma:
            case kSemicolon:
                continue;
            case kTemplate:
                return {Tok::Template, {}};
            default:
                if ((code >= 12 && code <= 18) || (code >= 40 && code <= 53)) return {Tok::Other, {}};
                return {Tok::Error, {}};
            }
        }
    }

    void SkipGuid() {
        DropList();
        const unsigned char* mark = p_;
        std::uint32_t code = 0;
        if (Take16(code) && code == kGuid && Skip(16)) return;
        p_ = mark;
    }

    bool ReadDword(std::uint32_t& value) {
        if (!NextValue()) return false;
        if (listKind_ == kIntegerList) {
            value = Load32(p_);
        } else {
            const double f = LoadFloat(p_);
            if (!(f >= 0 && f <= 4294967295.0) || f != static_cast<double>(static_cast<std::uint32_t>(f))) return false;
            value = static_cast<std::uint32_t>(f);
        }
        Advance();
        return true;
    }

    bool ReadFloat(float& value) {
        if (!NextValue()) return false;
        value = listKind_ == kIntegerList ? static_cast<float>(Load32(p_)) : NarrowFloat(LoadFloat(p_));
        Advance();
        return true;
    }

    bool ReadString(std::string_view& text) {
        DropList();
        std::uint32_t code = 0;
        for (;;) {
            if (!Take16(code)) return false;
            if (code != kComma && code != kSemicolon) break;
        }
        if (code != kString || !TakeCounted(text)) return false;
        TakeStringEnd();
        return true;
    }

private:
    enum : std::uint32_t {
        kName = 1,
        kString = 2,
        kInteger = 3,
        kGuid = 5,
        kIntegerList = 6,
        kFloatList = 7,
        kOpenBrace = 10,
        kCloseBrace = 11,
        kComma = 19,
        kSemicolon = 20,
        kTemplate = 31,
    };

    static std::uint32_t Load32(const unsigned char* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
    double LoadFloat(const unsigned char* p) const {
        if (floatBytes_ == 8) {
            double d;
            std::memcpy(&d, p, 8);
            return d;
        }
        float f;
        std::memcpy(&f, p, 4);
        return f;
    }

    bool Take16(std::uint32_t& code) {
        if (end_ - p_ < 2) return false;
        code = static_cast<std::uint32_t>(p_[0]) | static_cast<std::uint32_t>(p_[1]) << 8;
        p_ += 2;
        return true;
    }
    bool Skip(std::size_t n) {
        if (Remaining() < n) return false;
        p_ += n;
        return true;
    }
    bool TakeCounted(std::string_view& text) {
        if (Remaining() < 4) return false;
        const std::uint32_t n = Load32(p_);
        p_ += 4;
        if (Remaining() < n) return false;
        text = std::string_view(reinterpret_cast<const char*>(p_), n);
        p_ += n;
        return true;
    }
    // Writers end a string with a 32-bit separator code; take it when present.
    void TakeStringEnd() {
        if (Remaining() >= 4) {
            const std::uint32_t code = Load32(p_);
            if (code == kComma || code == kSemicolon) p_ += 4;
        }
    }

    bool StartList(std::uint32_t code) {
        if (Remaining() < 4) return false;
        const std::uint64_t count = Load32(p_);
        p_ += 4;
        const std::uint64_t width = code == kIntegerList ? 4 : static_cast<std::uint64_t>(floatBytes_);
        if (count * width > Remaining()) return false;
        listKind_ = code;
        listLeft_ = static_cast<std::uint32_t>(count);
        return true;
    }
    // Skips what is left of the current run of values.
    void DropList() {
        if (listLeft_ > 0) p_ += static_cast<std::size_t>(listLeft_) * Width();
        listLeft_ = 0;
    }
    std::size_t Width() const { return listKind_ == kIntegerList ? 4 : static_cast<std::size_t>(floatBytes_); }

    // Positions p_ on the next value, opening a new run when needed.
    bool NextValue() {
        while (listLeft_ == 0) {
            std::uint32_t code = 0;
            if (!Take16(code)) return false;
            if (code == kComma || code == kSemicolon) continue;
            if (code == kInteger) {
                if (Remaining() < 4) return false;
                listKind_ = kIntegerList;
                listLeft_ = 1;
                break;
            }
            if ((code != kIntegerList && code != kFloatList) || !StartList(code)) return false;
        }
        return true;
    }
    void Advance() {
        p_ += Width();
        --listLeft_;
    }

    const unsigned char* p_;
    const unsigned char* end_;
    int floatBytes_;
    std::uint32_t listKind_ = kIntegerList;
    std::uint32_t listLeft_ = 0;
};

}  // namespace orbel::d3dx8::xfile
