#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace sfxtal::platform {
namespace {

struct Cp932Case {
  const char* name;
  std::string bytes;
  std::string utf8;
};

void PrintTo(const Cp932Case& c, std::ostream* os) {
  *os << c.name;
}

class Cp932RoundTrip : public ::testing::TestWithParam<Cp932Case> {};

TEST_P(Cp932RoundTrip, DecodesAndEncodesBack) {
  const auto& c = GetParam();
  EXPECT_EQ(DecodeCp932(c.bytes), c.utf8);
  EXPECT_EQ(EncodeCp932(c.utf8), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Cp932RoundTrip,
    ::testing::Values(
        Cp932Case{"ascii", "QQ1ABC,ABC", "QQ1ABC,ABC"}, Cp932Case{"mark_mi", "\x96\xa2", "未"},
        Cp932Case{"halfwidth_katakana", "\xc3\xde\xb0\xc0", "ﾃﾞｰﾀ"},
        Cp932Case{"kanji_path", "C:\\\x97\x9a\x97\xf0.txt", "C:\\履歴.txt"},
        Cp932Case{"backslash_and_tilde_stay_ascii", "\\~", "\\~"},
        // Bytes with no character of their own are carried through one by one.
        Cp932Case{"lone_0x80", std::string("A\x80Z"), "A\xEF\xA0\x80Z"},
        Cp932Case{"lone_0xA0_and_0xFF", std::string("\xa0\xff"), "\xEF\xA0\xA0\xEF\xA1\xBF"},
        Cp932Case{"lead_byte_without_trail", std::string("\x96"), "\xEF\xA0\x96"},
        Cp932Case{"lead_byte_then_ascii", std::string("\x81\x20X"), "\xEF\xA0\x81 X"},
        // A pair that does not decode stays a pair: alone, its trail FA would pair with the 5B
        // after it, and the bytes would come back as 83 81 E6, another character.
        Cp932Case{"undecodable_pair_then_ascii", std::string("\x83\xfa\x5b"),
                  "\xEF\xA0\x83\xEF\xA1\xBA["},
        Cp932Case{"undecodable_pair_with_ascii_trail", std::string("\x85\x40"),
                  "\xEF\xA0\x85\xEF\x9F\x80"}),
    [](const auto& info) { return info.param.name; });

TEST(EncodeCp932, CharacterCp932CannotHoldBecomesQuestionMark) {
  EXPECT_EQ(EncodeCp932("A😀B"), "A?B");
  EXPECT_EQ(EncodeCp932("€"), "?");
  // A carried code for a byte below 0x80 is only ever the trail of a carried lead: on its own it
  // must not become a line end or a quote in a file.
  EXPECT_EQ(EncodeCp932("A\xEF\x9E\x8A\xEF\x9E\xA2"
                        "B"),
            "A??B");
}

TEST(DecodeCp932, TwinSpellingsComeBackAsTheOneWindowsWrites) {
  // "∵" is 81 E6, and also 87 9A (NEC row 13) and FA 5B (IBM): all three read as one character,
  // which is written back as 81 E6; the NEC-selected ED/EE rows become the IBM FA-FC rows.
  const std::string twins = "\x81\xe6\x87\x9a\xfa\x5b";
  const std::string text = DecodeCp932(twins);
  EXPECT_EQ(text, "∵∵∵");
  EXPECT_EQ(EncodeCp932(text), "\x81\xe6\x81\xe6\x81\xe6");
  EXPECT_EQ(EncodeCp932(DecodeCp932("\xed\x40")), "\xfa\x5c");
}

TEST(BytesAsCharacters, MapsEveryByteToOneCharacter) {
  EXPECT_EQ(BytesAsCharacters("QQ1ABC "), "QQ1ABC ");
  EXPECT_EQ(BytesAsCharacters("\xa1\xdf"), "｡ﾟ");
  // Two bytes that would make one kanji in CP932 stay two characters.
  const std::string kanjiBytes = "\x96\xa2";
  const std::string chars = BytesAsCharacters(kanjiBytes);
  EXPECT_EQ(CharacterCount(chars), 2u);
  EXPECT_EQ(EncodeCp932(chars), kanjiBytes);
  // Every byte value survives the way to a CP932 file.
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(CharacterCount(BytesAsCharacters(all)), 256u);
  EXPECT_EQ(EncodeCp932(BytesAsCharacters(all)), all);
}

TEST(CharacterHelpers, CountAndCutByCharacters) {
  EXPECT_EQ(CharacterCount("未ABC"), 4u);
  EXPECT_EQ(RightCharacters("QQ1未", 2), "1未");
  EXPECT_EQ(RightCharacters("AB", 5), "AB");
  EXPECT_EQ(LeftCharacters("未来X", 2), "未来");
  EXPECT_EQ(LeftCharacters("", 3), "");
  EXPECT_EQ(TrimBlanks("  A B  "), "A B");
  EXPECT_EQ(TrimBlanks("\tA "), "\tA");
  EXPECT_EQ(TrimBlanks("   "), "");
}

}  // namespace
}  // namespace sfxtal::platform
