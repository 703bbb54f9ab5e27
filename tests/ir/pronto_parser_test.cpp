#include "ir/pronto_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using redeye::parse_pronto;
using redeye::pronto_result;
using durations = std::vector<std::int32_t>;

zq::result_t code_of(std::string_view text) { return parse_pronto(text).code; }

// A well-formed code of the given header whose burst words are all 0010.
std::string uniform_code(unsigned once_pairs, unsigned repeat_pairs) {
  char header[32];
  std::snprintf(header, sizeof header, "0000 006D %04X %04X", once_pairs, repeat_pairs);
  std::string text = header;
  for (unsigned i = 0; i < 2 * (once_pairs + repeat_pairs); ++i) text += " 0010";
  return text;
}

// Every failure leaves the signal empty, whatever had been read before it.
void expect_failure(const pronto_result& result, int category, zq::result_t code) {
  EXPECT_EQ(result.category, category);
  EXPECT_EQ(result.code, code);
  EXPECT_TRUE(result.signal.durations.empty());
  EXPECT_EQ(result.signal.carrier_period, 0);
  EXPECT_EQ(result.signal.repeat_index, 0);
}

TEST(ProntoParse, FrequencyWord006DGivesPeriod26AndScalesBurstWords) {
  EXPECT_EQ(redeye::pronto_carrier_period(0x006D), 26);
  const pronto_result result = parse_pronto("0000 006D 0000 0001 0010 0020");
  EXPECT_EQ(result.category, 0);
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.signal.carrier_period, 26);
  EXPECT_EQ(result.signal.durations, (durations{416, -832}));
  EXPECT_EQ(result.signal.repeat_index, 0);  // only a repeat sequence: the whole signal repeats
}

TEST(ProntoParse, OnceSequenceOnlyHasRepeatIndexAtTheEnd) {
  const pronto_result result = parse_pronto("0000 006D 0001 0000 0010 0020");
  ASSERT_EQ(result.code, 0);
  EXPECT_EQ(result.signal.durations, (durations{416, -832}));
  EXPECT_EQ(result.signal.repeat_index, 2);
  EXPECT_EQ(result.signal.count(), 2);
}

TEST(ProntoParse, RepeatSequenceStartsAfterTheOnceSequence) {
  const pronto_result result = parse_pronto("0000 006D 0002 0001 0001 0002 0003 0004 0005 0006");
  ASSERT_EQ(result.code, 0);
  EXPECT_EQ(result.signal.durations, (durations{26, -52, 78, -104, 130, -156}));
  EXPECT_EQ(result.signal.repeat_index, 4);
}

TEST(ProntoParse, SeparatorsAndLowerCaseDigits) {
  const pronto_result upper = parse_pronto("0000 006D 0001 0001 0010 0020 00AB 0CDE");
  const pronto_result mixed = parse_pronto("\r\n\t 0000\t006d \r\n0001\n\n0001 0010\t\t0020 00aB\r0cDe \n\t");
  ASSERT_EQ(upper.code, 0);
  ASSERT_EQ(mixed.code, 0);
  EXPECT_EQ(mixed.signal.durations, upper.signal.durations);
  EXPECT_EQ(mixed.signal.durations, (durations{416, -832, 0xAB * 26, -0xCDE * 26}));
  EXPECT_EQ(mixed.signal.repeat_index, 2);
}

TEST(ProntoParse, ZeroWordGivesZeroEvenAtASpace) {
  const pronto_result result = parse_pronto("0000 006D 0001 0000 0000 0000");
  ASSERT_EQ(result.code, 0);
  EXPECT_EQ(result.signal.durations, (durations{0, 0}));
}

TEST(ProntoParse, FrequencyRangeEndsAndLongestDuration) {
  // F = 20: 207257 Hz, period 4. F = 2072: 2000 Hz, period 500; FFFF cycles of it are the longest
  // duration a code can give, and it fits a signed 32-bit duration.
  const pronto_result low = parse_pronto("0000 0014 0001 0000 FFFF FFFF");
  ASSERT_EQ(low.code, 0);
  EXPECT_EQ(low.signal.carrier_period, 4);
  EXPECT_EQ(low.signal.durations, (durations{262140, -262140}));
  const pronto_result high = parse_pronto("0000 0818 0001 0000 FFFF FFFF");
  ASSERT_EQ(high.code, 0);
  EXPECT_EQ(high.signal.carrier_period, 500);
  EXPECT_EQ(high.signal.durations, (durations{32767500, -32767500}));
  EXPECT_EQ(redeye::pronto_carrier_period(21), 5);
  EXPECT_EQ(redeye::pronto_carrier_period(2071), 499);
}

TEST(ProntoWords, ShortLongAndNonHexWords) {
  expect_failure(parse_pronto("0000 06D 0001 0000 0010 0020"), 3, 251);
  expect_failure(parse_pronto("0000 0006D 0001 0000 0010 0020"), 3, 252);
  expect_failure(parse_pronto("0000 006D 0001 0000 00G0 0020"), 5, 450);
  // A separator counts only as blank, tab, carriage return or line feed.
  expect_failure(parse_pronto("0000\v006D 0001 0000 0010 0020"), 5, 450);
  expect_failure(parse_pronto("0000,006D 0001 0000 0010 0020"), 5, 450);
  expect_failure(parse_pronto("0x00 006D 0001 0000 0010 0020"), 5, 450);
  // A NUL inside the text is an ordinary non-hexadecimal character, not its end.
  expect_failure(parse_pronto(std::string_view("0000 006D 0001 0000 0010 0020\0", 30)), 5, 450);
}

TEST(ProntoWords, TextEndingInsideAWord) {
  expect_failure(parse_pronto("0000 006D 0001 0000 0010 002"), 3, 250);
  expect_failure(parse_pronto("0"), 3, 250);
  // The same short word followed by a separator is too short instead.
  expect_failure(parse_pronto("0000 006D 0001 0000 0010 002 "), 3, 251);
  // A view ending in the middle of a longer buffer is read only up to its end.
  const std::string buffer = "0000 006D 0001 0000 0010 0020";
  expect_failure(parse_pronto(std::string_view(buffer.data(), buffer.size() - 1)), 3, 250);
  EXPECT_EQ(code_of(std::string_view(buffer.data(), buffer.size())), 0);
}

TEST(ProntoWords, ReadingErrorWinsOverAnExtraWord) {
  // After the last expected word, a word that cannot be read reports why, not that it is extra.
  EXPECT_EQ(code_of("0000 006D 0001 0000 0010 0020 12"), 250);
  EXPECT_EQ(code_of("0000 006D 0001 0000 0010 0020 12 "), 251);
  EXPECT_EQ(code_of("0000 006D 0001 0000 0010 0020;"), 450);
  EXPECT_EQ(code_of("0000 006D 0001 0000 0010 00200"), 252);
}

TEST(ProntoHeader, MissingAndInvalidHeaderWords) {
  expect_failure(parse_pronto(""), 1, 11);
  expect_failure(parse_pronto(" \t\r\n"), 2, 101);
  expect_failure(parse_pronto("0000"), 2, 102);
  expect_failure(parse_pronto("0000 006D "), 2, 103);
  expect_failure(parse_pronto("0000 006D 0001"), 2, 104);
  // Only raw learned codes: a format word other than 0000 is refused before the others are read.
  expect_failure(parse_pronto("0100 006D 0001 0000 0010 0020"), 3, 200);
  expect_failure(parse_pronto("5000"), 3, 200);
  expect_failure(parse_pronto("0000 0013 0001 0000 0010 0020"), 3, 201);
  expect_failure(parse_pronto("0000 0819 0001 0000 0010 0020"), 3, 201);
  expect_failure(parse_pronto("0000 0000 0001 0000 0010 0020"), 3, 201);
  expect_failure(parse_pronto("0000 006D 0000 0000"), 3, 202);
  expect_failure(parse_pronto("0000 006D 0000 0000 0010 0020"), 3, 202);
}

TEST(ProntoHeader, HeaderWordsAreAllReadBeforeTheyAreChecked) {
  // A missing count word is found before a bad frequency word is noticed.
  EXPECT_EQ(code_of("0000 0001 0001"), 104);
  EXPECT_EQ(code_of("0000 0001 0000 0000"), 201);
}

TEST(ProntoBursts, MissingAndExtraBurstWords) {
  expect_failure(parse_pronto("0000 006D 0001 0001 0010 0020 0030"), 2, 111);
  expect_failure(parse_pronto("0000 006D 0001 0000"), 2, 111);
  expect_failure(parse_pronto("0000 006D 0001 0000 0010 0020 0030"), 3, 211);
  expect_failure(parse_pronto("0000 006D 0001 0000 0010 0020 \n 0000 \n"), 3, 211);
}

TEST(ProntoBursts, CountLimit) {
  // 1000 durations are accepted, 1002 are not, and the limit is checked before any burst word.
  const pronto_result largest = parse_pronto(uniform_code(400, 100));
  ASSERT_EQ(largest.code, 0);
  EXPECT_EQ(largest.signal.count(), 1000);
  EXPECT_EQ(largest.signal.repeat_index, 800);
  expect_failure(parse_pronto(uniform_code(400, 101)), 4, 300);
  expect_failure(parse_pronto("0000 006D 01F5 0000"), 4, 300);
  expect_failure(parse_pronto("0000 006D FFFF FFFF"), 4, 300);
  // A smaller limit of the caller's choosing.
  EXPECT_EQ(parse_pronto(uniform_code(1, 1), 4).code, 0);
  EXPECT_EQ(parse_pronto(uniform_code(1, 2), 4).code, 300);
}

TEST(ProntoBursts, LargeLimitsStillFitSixteenBitCounts) {
  // The count and the repeat index are 16-bit: a code announcing more than 65534 durations is
  // refused however large the limit.
  const pronto_result largest = parse_pronto(uniform_code(32767, 0), 1000000);
  ASSERT_EQ(largest.code, 0);
  EXPECT_EQ(largest.signal.count(), 65534);
  EXPECT_EQ(largest.signal.repeat_index, 65534);
  EXPECT_EQ(parse_pronto("0000 006D 7FFF 0001", 1000000).code, 300);
  EXPECT_EQ(parse_pronto("0000 006D FFFF 0000", 1000000).code, 300);
}

TEST(ProntoCategories, CodesAreClassedByHundreds) {
  const std::vector<std::pair<zq::result_t, int>> table{
      {11, 1},  {101, 2}, {102, 2}, {103, 2}, {104, 2}, {111, 2}, {200, 3}, {201, 3},
      {202, 3}, {211, 3}, {250, 3}, {251, 3}, {252, 3}, {300, 4}, {450, 5}, {499, 5}};
  for (const auto& [code, category] : table) {
    const redeye::pronto_failure failure = redeye::classify_pronto_code(code);
    EXPECT_EQ(failure.category, category) << code;
    EXPECT_EQ(failure.code, code);
  }
  EXPECT_EQ(redeye::classify_pronto_code(0).category, 0);
  for (const zq::result_t large : {500, 1061, 0x7FFFFFFF}) {
    EXPECT_EQ(redeye::classify_pronto_code(large).category, 1) << large;
    EXPECT_EQ(redeye::classify_pronto_code(large).code, -1) << large;
  }
}

// NEC, address 04, command 08, at 38 kHz: leader, 32 bits (address, its inverse, command, its
// inverse, least significant bit first), stop mark and gap; the repeat sequence is the NEC repeat
// frame (leader mark, short space, stop mark, long gap).
constexpr const char* kNecCode =
    "0000 006D 0022 0002 0157 00AC 0015 0016 0015 0016 0015 0041 0015 0016 0015 0016 0015 0016 "
    "0015 0016 0015 0016 0015 0041 0015 0041 0015 0016 0015 0041 0015 0041 0015 0041 0015 0041 "
    "0015 0041 0015 0016 0015 0016 0015 0016 0015 0041 0015 0016 0015 0016 0015 0016 0015 0016 "
    "0015 0041 0015 0041 0015 0041 0015 0016 0015 0041 0015 0041 0015 0041 0015 0041 0015 0689 "
    "0157 0056 0015 0E94";

TEST(ProntoPublished, NecCodeWithRepeatFrame) {
  const pronto_result result = parse_pronto(kNecCode);
  ASSERT_EQ(result.code, 0);
  const redeye::signal_data& signal = result.signal;
  EXPECT_EQ(signal.carrier_period, 26);
  ASSERT_EQ(signal.count(), 72);
  EXPECT_EQ(signal.repeat_index, 68);
  EXPECT_EQ(signal.durations[0], 8918);    // 343 cycles, the 9 ms leader
  EXPECT_EQ(signal.durations[1], -4472);   // 172 cycles, the 4.5 ms space
  EXPECT_EQ(signal.durations[66], 546);    // stop mark
  EXPECT_EQ(signal.durations[67], -43498); // gap to the next frame
  EXPECT_EQ(durations(signal.durations.begin() + 68, signal.durations.end()),
            (durations{8918, -2236, 546, -97032}));
  // The 32 bits read back from the spaces give the address, the command and their inverses.
  std::uint32_t bits = 0;
  for (int bit = 0; bit < 32; ++bit) {
    EXPECT_EQ(signal.durations[2 + 2 * bit], 546);
    const std::int32_t space = signal.durations[3 + 2 * bit];
    ASSERT_TRUE(space == -572 || space == -1690) << space;
    if (space == -1690) bits |= 1u << bit;
  }
  EXPECT_EQ(bits, 0xF708FB04u);
}

TEST(ProntoPublished, Rc5CodeRepeatsWhole) {
  // RC5 at 36 kHz, address 05, command 01, toggle 0: half bits of 32 cycles, then the gap that
  // fills the 4096-cycle frame.
  const pronto_result result = parse_pronto(
      "0000 0073 0000 000B 0020 0020 0040 0020 0020 0020 0020 0040 0040 0040 0040 0020 0020 0020 "
      "0020 0020 0020 0020 0020 0040 0020 0CA0");
  ASSERT_EQ(result.code, 0);
  EXPECT_EQ(result.signal.carrier_period, 27);  // 36044 Hz
  EXPECT_EQ(result.signal.repeat_index, 0);
  EXPECT_EQ(result.signal.durations,
            (durations{864, -864, 1728, -864, 864, -864, 864, -1728, 1728, -1728, 1728, -864, 864, -864, 864,
                       -864, 864, -864, 864, -1728, 864, -87264}));
}

}  // namespace
