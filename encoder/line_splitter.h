// Splits a byte stream, fed in blocks of any size, into lines.
//
// LF, CR and CR LF each end one line (also when the CR and the LF arrive in
// different blocks); a line end at the very end of the input starts no
// further line. Memory stays fixed: a line that does not fall inside one
// block is gathered in a buffer of MaxLength bytes, and a longer line is
// reported as too long, with its first MaxLength bytes, instead of growing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace bcfont {

struct Line {
    std::string_view bytes;  // without the line end; only valid during the callback
    std::uint64_t number;    // 1-based, as an editor counts lines
    bool tooLong;            // longer than the limit; `bytes` holds its beginning
};

template <std::size_t MaxLength>
class LineSplitter {
  public:
    static constexpr std::size_t kMaxLength = MaxLength;

    // Calls onLine(const Line&) for every line that ends inside `block`.
    template <typename OnLine>
    void feed(std::string_view block, OnLine&& onLine) {
        const char* p = block.data();
        const char* const end = p + block.size();
        if (p == end) return;
        if (afterCr_) {
            afterCr_ = false;
            if (*p == '\n') ++p;
        }
        while (p != end) {
            const char* eol = findLineEnd(p, end);
            if (eol == end) {
                keep(p, end);
                return;
            }
            if (pending_ == 0 && !overflow_) {
                const auto n = static_cast<std::size_t>(eol - p);
                onLine(Line{std::string_view(p, n < MaxLength ? n : MaxLength), ++lineCount_, n > MaxLength});
            } else {
                keep(p, eol);
                emitPending(onLine);
            }
            p = eol + 1;
            if (*eol == '\r') {
                if (p == end) {
                    afterCr_ = true;
                } else if (*p == '\n') {
                    ++p;
                }
            }
        }
    }

    // Ends the input: a last line without a line end is still a line.
    template <typename OnLine>
    void finish(OnLine&& onLine) {
        if (pending_ != 0 || overflow_) emitPending(onLine);
        afterCr_ = false;
    }

    std::uint64_t lineCount() const { return lineCount_; }
    // Counts `n` lines split elsewhere, between whole lines of this input.
    void skipLines(std::uint64_t n) { lineCount_ += n; }

  private:
    // The first CR or LF at or after `p`, or `end`: one pass for both, 16
    // bytes at a time where SSE2 is there (every x86-64), as lines are short
    // and a library call per line and per character would cost more. Each
    // byte is looked at once, so CR-only input stays linear too.
    static const char* findLineEnd(const char* p, const char* end) {
#if defined(__SSE2__)
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        for (; end - p >= 16; p += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr)));
            if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
        }
#endif
        for (; p != end; ++p)
            if (*p == '\n' || *p == '\r') return p;
        return end;
    }

    void keep(const char* from, const char* to) {
        const auto n = static_cast<std::size_t>(to - from);
        const std::size_t room = MaxLength - pending_;
        const std::size_t take = n < room ? n : room;
        std::memcpy(buffer_.data() + pending_, from, take);
        pending_ += take;
        if (n > room) overflow_ = true;
    }

    template <typename OnLine>
    void emitPending(OnLine& onLine) {
        onLine(Line{std::string_view(buffer_.data(), pending_), ++lineCount_, overflow_});
        pending_ = 0;
        overflow_ = false;
    }

    std::array<char, MaxLength> buffer_{};
    std::size_t pending_ = 0;
    bool overflow_ = false;
    bool afterCr_ = false;
    std::uint64_t lineCount_ = 0;
};

}  // namespace bcfont
