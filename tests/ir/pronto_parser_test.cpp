#include "ir/pronto_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using redeye::parse_pronto;
using redeye::pronto_result;
using durations = std::vector<std::int32_t>;

// A well-formed code of the given header whose burst words are all 0010.
std::string uniform_code(unsigned once_pairs, unsigned repeat_pairs) {
  char header[32];
  std::snprintf(header, sizeof header, "0000 006D %04X %04X", once_pairs, repeat_pairs);
  std::string text = header;
  for (unsigned i = 0; i < 2 * (once_pairs + repeat_pairs); ++i) text += " 0010";
  return text;
}

TEST(ProntoParse, BurstWordsTimesThePeriodWithTheRepeatSequenceLast) {
  const std::tuple<std::string, std::uint16_t, durations, std::uint16_t> cases[] = {
      {"0000 006D 0000 0001 0010 0020", 26, {416, -832}, 0},  // only a repeat sequence: the whole signal repeats
      {"0000 006D 0001 0000 0010 0020", 26, {416, -832}, 2},  // only a once sequence: no repeated part
      {"0000 006D 0002 0001 0001 0002 0003 0004 0005 0006", 26, {26, -52, 78, -104, 130, -156}, 4},
      {"\r\n\t 0000\t006d \r\n0001\n\n0001 0010\t\t0020 00aB\r0cDe \n\t", 26, {416, -832, 0xAB * 26, -0xCDE * 26}, 2},
      {"0000 006D 0001 0000 0000 0000", 26, {0, 0}, 2},  // a zero word is zero, a mark even at a space
      // F = 20 and 2072 are the ends of the range: periods 4 and 500; FFFF cycles of 500 are the
      // longest duration a code gives.
      {"0000 0014 0001 0000 FFFF FFFF", 4, {262140, -262140}, 2},
      {"0000 0818 0001 0000 FFFF FFFF", 500, {32767500, -32767500}, 2},
      {"0000 0015 0001 0000 0001 0001", 5, {5, -5}, 2},
      {"0000 0817 0001 0000 0001 0001", 499, {499, -499}, 2},
      // RC5 at 36 kHz, address 05, command 01: half bits of 32 cycles, then the gap that fills the frame.
      {"0000 0073 0000 000B 0020 0020 0040 0020 0020 0020 0020 0040 0040 0040 0040 0020 0020 0020 0020 0020 0020 "
       "0020 0020 0040 0020 0CA0",
       27, {864, -864, 1728, -864, 864, -864, 864, -1728, 1728, -1728, 1728, -864, 864, -864, 864, -864, 864, -864,
            864, -1728, 864, -87264}, 0},
  };
  for (const auto& [text, carrier, expected, repeat] : cases) {
    const pronto_result result = parse_pronto(text);
    ASSERT_EQ(result.code, 0) << text;
    EXPECT_EQ(result.category, 0);
    EXPECT_EQ(result.signal.carrier_period, carrier) << text;
    EXPECT_EQ(result.signal.durations, expected) << text;
    EXPECT_EQ(result.signal.repeat_index, repeat) << text;
  }
  // The largest codes each limit lets through: 1000 by default, 65534 whatever the limit.
  for (const auto& [text, limit, count] : {std::tuple{uniform_code(400, 100), redeye::pronto_default_limit, 1000},
                                           {uniform_code(1, 1), std::size_t{4}, 4},
                                           {uniform_code(32767, 0), std::size_t{1000000}, 65534}}) {
    EXPECT_EQ(parse_pronto(text, limit).signal.count(), count) << limit;
  }
}

// NEC, address 04, command 08, at 38 kHz, with its repeat frame.
TEST(ProntoParse, PublishedNecCodeWithRepeatFrame) {
  const pronto_result result = parse_pronto(
      "0000 006D 0022 0002 0157 00AC 0015 0016 0015 0016 0015 0041 0015 0016 0015 0016 0015 0016 0015 0016 0015 0016 "
      "0015 0041 0015 0041 0015 0016 0015 0041 0015 0041 0015 0041 0015 0041 0015 0041 0015 0016 0015 0016 0015 0016 "
      "0015 0041 0015 0016 0015 0016 0015 0016 0015 0016 0015 0041 0015 0041 0015 0041 0015 0016 0015 0041 0015 0041 "
      "0015 0041 0015 0041 0015 0689 0157 0056 0015 0E94");
  ASSERT_EQ(result.code, 0);
  const durations& d = result.signal.durations;
  ASSERT_EQ(d.size(), 72u);
  EXPECT_EQ(result.signal.repeat_index, 68);
  EXPECT_EQ(durations(d.begin(), d.begin() + 6), (durations{8918, -4472, 546, -572, 546, -572}));
  EXPECT_EQ(durations(d.begin() + 64, d.end()), (durations{546, -1690, 546, -43498, 8918, -2236, 546, -97032}));
}

// Every failure reports its category and code and leaves the signal empty.
TEST(ProntoParse, RefusedTextsGiveTheirCategoryAndCode) {
  // Separators are blank, tab, CR and LF only.
  const std::string code = "0000 006D 0001 0000 0010 0020";
  const std::tuple<std::string, int, zq::result_t, std::size_t> cases[] = {
      {"", 1, 11, 1000}, {" \t\r\n", 2, 101, 1000}, {"0000", 2, 102, 1000}, {"0000 006D ", 2, 103, 1000},
      {"0000 006D 0001", 2, 104, 1000},
      {"0000 0001 0001", 2, 104, 1000},  // the header words are all read before they are checked
      {"0000 006D 0001 0001 0010 0020 0030", 2, 111, 1000},
      {"5000", 3, 200, 1000},  // only raw learned codes, refused before the other words are read
      {"0000 0013 0001 0000 0010 0020", 3, 201, 1000}, {"0000 0819 0001 0000 0010 0020", 3, 201, 1000},
      {"0000 0001 0000 0000", 3, 201, 1000}, {"0000 006D 0000 0000 0010 0020", 3, 202, 1000},
      {code + " \n 0000 \n", 3, 211, 1000},
      {code.substr(0, code.size() - 1), 3, 250, 1000},  // the text ends inside a word
      {code + " 12", 3, 250, 1000},  // a word that cannot be read reports why, not that it is one too many
      {"0000 06D 0001 0000 0010 0020", 3, 251, 1000}, {"0000 006D 0001 0000 0010 002 ", 3, 251, 1000},
      {"0000 0006D 0001 0000 0010 0020", 3, 252, 1000}, {code + "0", 3, 252, 1000},
      {uniform_code(400, 101), 4, 300, 1000},  // 1002 durations
      {"0000 006D 01F5 0000", 4, 300, 1000},   // the limit is checked before any burst word
      {uniform_code(1, 2), 4, 300, 4}, {"0000 006D 7FFF 0001", 4, 300, 1000000},  // counts are 16-bit
      {"0000 006D 0001 0000 00G0 0020", 5, 450, 1000},
      {"0000\v006D 0001 0000 0010 0020", 5, 450, 1000}, {"0x00 006D 0001 0000 0010 0020", 5, 450, 1000},
      {code + std::string(1, '\0'), 5, 450, 1000},       // a NUL is a character like any other
  };
  for (const auto& [text, category, code, limit] : cases) {
    const pronto_result result = parse_pronto(text, limit);
    EXPECT_EQ(result.category, category) << text;
    EXPECT_EQ(result.code, code) << text;
    EXPECT_TRUE(result.signal.durations.empty()) << text;
    EXPECT_EQ(result.signal.carrier_period + result.signal.repeat_index, 0) << text;
  }
  // A view ending inside a longer buffer is read only up to its end.
  EXPECT_EQ(parse_pronto(std::string_view(code.data(), code.size() - 1)).code, 250);
  for (const zq::result_t large : {500, 1061, 0x7FFFFFFF}) {
    EXPECT_EQ(redeye::classify_pronto_code(large).category, 1) << large;
    EXPECT_EQ(redeye::classify_pronto_code(large).code, -1) << large;
  }
}

}  // namespace
