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
        // memchr is much faster than a byte loop; each position is searched
        // again only once the scan has passed it, so CR-only input stays linear.
        const char* nextLf = nullptr;
        const char* nextCr = nullptr;
        while (p != end) {
            if (nextLf == nullptr || nextLf < p) nextLf = find(p, end, '\n');
            if (nextCr == nullptr || nextCr < p) nextCr = find(p, end, '\r');
            const char* eol = nextLf < nextCr ? nextLf : nextCr;
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
    static const char* find(const char* p, const char* end, char c) {
        const void* hit = std::memchr(p, c, static_cast<std::size_t>(end - p));
        return hit != nullptr ? static_cast<const char*>(hit) : end;
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
