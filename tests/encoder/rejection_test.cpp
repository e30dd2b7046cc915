// What the encoders report when they refuse a request (wording_test words
// the sentences rejectionReason makes of it).
#include "calc_helpers.h"
#include "encoder_internal.h"

namespace bcfont::test {
namespace {

using internal::Reject;

struct RejectionRow {
    const char* name;
    CodeType type;
    std::string data;
    const char* addon;
    bool check;
    Reject kind;
    int byte;
    int position;
    std::size_t count;
};

std::string shown(const internal::Rejection& r) {
    return "{kind " + std::to_string(static_cast<int>(r.kind)) + ", byte " + std::to_string(r.byte) +
           ", position " + std::to_string(r.position) + ", count " + std::to_string(r.count) + "}";
}

// clang-format off
const RejectionRow kRejectionRows[] = {
    {"accepted, with the length written", EAN13, "400638133393", "", false, Reject::None, 0, 0, 16},
    {"over_the_data_limit", CODABAR, repeat("1", 49), "", false, Reject::DataTooLong, 0, 0, 49},
    {"length_not_in_the_table", POSTNET, "123456", "", false, Reject::WrongLength, 0, 0, 6},
    {"letter_in_digits", EAN8, "55123x5", "", false, Reject::NotInAlphabet, 'x', 6, 0},
    {"nul_ends_the_digits", UPCA, std::string("0360\0" "0029145", 11), "", false, Reject::NotInAlphabet, 0, 5, 0},
    {"number_system_first", UPCE, "2x23456", "", false, Reject::NumberSystem, '2', 1, 0},
    {"addon_after_main_data", EAN13, "400638133393", "12x45", false, Reject::AddonNotDigits, 'x', 3, 0},
    {"main_data_before_addon", EAN13, "40063813339y", "12x45", false, Reject::NotInAlphabet, 'y', 12, 0},
    {"interleaved_even_with_check", TOFIL, repeat("1", 48), "", true, Reject::InterleavedTooLong, 0, 0, 48},
    {"interleaved_before_digits", TOFIL, repeat("x", 48), "", true, Reject::InterleavedTooLong, 0, 0, 48},
    {"high_byte_before_escape", C39, "~200\xE9", "", false, Reject::NotInAlphabet, 0xE9, 5, 0},
    {"escape_above_ascii", C128EAN, "AB~456", "", true, Reject::EscapeNotAscii, 0, 3, 456},
    {"code128_high_byte_after_bad_escape", C128, "~200A\xE9", "", true, Reject::NotInAlphabet, 0xE9, 6, 0},
    {"code128_high_byte_before_escape", C128, "A\x80~200", "", true, Reject::NotInAlphabet, 0x80, 2, 0},
    {"code128_mixed_sets_too_long", C128EAN, repeat("\tA", 24), "", true, Reject::FontStringTooLong, 0, 0, 100},
};
// clang-format on

TEST(Rejection, WhatTheEncodersReport) {
    for (const auto& row : kRejectionRows) {
        SCOPED_TRACE(row.name);
        std::array<char, kFontStringCapacity> out{};
        const internal::CalcInput in{row.data.data(), static_cast<int>(row.data.size()), row.addon,
                                     row.check};
        const internal::Rejection r = internal::calc(row.type, in, out.data());
        const internal::Rejection expected{row.kind, static_cast<unsigned char>(row.byte), row.position,
                                           row.count};
        EXPECT_EQ(shown(r), shown(expected));
    }
}

// Code39 and Code128 called directly take data of any length.
TEST(Rejection, DirectCallsSayHowLongTheFontStringWouldBe) {
    struct Direct {
        const char* name;
        bool code39;
        std::string data;
        std::size_t count;
    };
    const Direct rows[] = {
        {"code39_pairs_counted_on", true, repeat("a", 60), 123},  // start, 120, check, stop
        {"code128_one_byte_over", false, repeat("A", 97), 100},   // start, 97, check, stop
        {"code128_too_many_entries_not_counted", false, repeat("1", 101), 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* in = reinterpret_cast<const unsigned char*>(row.data.data());
        const auto size = static_cast<std::int32_t>(row.data.size());
        std::array<unsigned char, kFontStringCapacity> out{};
        const auto r = row.code39 ? internal::encodeCode39(in, out.data(), size, true)
                                  : internal::encodeCode128(in, out.data(), size, true, false);
        EXPECT_EQ(r.kind, Reject::FontStringTooLong);
        EXPECT_EQ(r.count, row.count);
    }
}

// Callers that own all `len` bytes let the digit encoders read them eight
// at a time. That must change no verdict and no byte written, wherever the
// one wrong byte sits: around the digits in ASCII, a NUL, and the bytes
// from 0xFA up, which carry into the next byte when added to.
struct BadByteRow {
    const char* name;
    char byte;
};

// clang-format off
const BadByteRow kBadBytes[] = {
    {"slash_below_zero", '/'},
    {"colon_above_nine", ':'},
    {"nul", '\0'},
    {"letter_o", 'O'},
    {"tab", '\t'},
    {"byte_0xFA_carries", '\xFA'},
    {"byte_0xFF", '\xFF'},
    {"digit_with_high_bit", '\xB5'},
};
// clang-format on

TEST(Rejection, ReadingTheWholeDataChangesNothing) {
    for (int t = 0; t < kCodeTypeCount; ++t) {
        const auto type = static_cast<CodeType>(t);
        if (symbology(type).alphabet != Alphabet::Digits) continue;
        for (int length = 1; length <= kMaxDataLength; ++length) {
            if (!accepts(symbology(type).lengths, length)) continue;
            // Digits that make a valid UPC-E number system too.
            const std::string digits = "0" + repeat("123456789", 11).substr(0, static_cast<std::size_t>(length - 1));
            for (const BadByteRow& bad : kBadBytes) {
                for (int at = -1; at < length; ++at) {
                    SCOPED_TRACE(std::string(symbology(type).name) + " " + std::to_string(length) + " digits, " +
                                 (at < 0 ? "all digits" : std::string(bad.name) + " at " + std::to_string(at)));
                    std::string data = digits;
                    if (at >= 0) data[static_cast<std::size_t>(at)] = bad.byte;
                    std::array<char, kFontStringCapacity> byteWise{}, whole{};
                    const internal::CalcInput in{data.data(), length, "", true, false};
                    internal::CalcInput wholeIn = in;
                    wholeIn.wholeData = true;
                    EXPECT_EQ(shown(internal::calc(type, wholeIn, whole.data())),
                              shown(internal::calc(type, in, byteWise.data())));
                    EXPECT_EQ(codes(std::string_view(whole.data(), whole.size())),
                              codes(std::string_view(byteWise.data(), byteWise.size())));
                }
            }
        }
    }
}

}  // namespace
// A success tells the length of the font string, so the batch engine need
// not scan for it: it must be what the terminator says, for every encoder.
struct WrittenRow {
    const char* name;
    CodeType type;
    std::string data;
    const char* addon;
    bool check;
};

// clang-format off
const WrittenRow kWrittenRows[] = {
    {"EAN-8", EAN8, "1234567", "", true},
    {"EAN-13", EAN13, "4006381333931", "", true},
    {"EAN-13 with 2-digit add-on", EAN13, "400638133393", "12", true},
    {"EAN-13 with 5-digit add-on", EAN13, "400638133393", "52495", true},
    {"UPC-A", UPCA, "03600029145", "", true},
    {"UPC-E", UPCE, "0123456", "", true},
    {"Code 39 Full ASCII with check", C39, "Ab~~c", "", true},
    {"Code 39 without check", C39, "CODE 39", "", false},
    {"Code 128 mixed sets", C128, "ab12345678\x01x", "", true},
    {"Code 128 EAN/UCC with FNC1", C128EAN, "~999011234567890", "", true},
    {"2 of 5 Interleaved odd with check", TOFIL, "12345", "", true},
    {"2 of 5 Interleaved even without check", TOFIL, "1234", "", false},
    {"2 of 5 Industrial with check", TOFIND, "123", "", true},
    {"2 of 5 Industrial without check", TOFIND, "123", "", false},
    {"Codabar", CODABAR, "31117013206375", "", true},
    {"Postnet ZIP+4", POSTNET, "123456789", "", true},
};
// clang-format on

TEST(Rejection, ASuccessTellsTheLengthWritten) {
    for (const WrittenRow& row : kWrittenRows) {
        SCOPED_TRACE(row.name);
        std::array<char, kFontStringCapacity> out;
        out.fill('X');
        const internal::Rejection r = internal::calc(
            row.type, {row.data.data(), static_cast<int>(row.data.size()), row.addon, row.check}, out.data());
        ASSERT_TRUE(r.accepted());
        EXPECT_EQ(r.count, std::string(out.data()).size());
    }
}

}  // namespace bcfont::test
