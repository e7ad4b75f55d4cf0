#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "platform/ascii_text.h"

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
    [](const auto& test_case) { return test_case.param.name; });

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

// Where the converters of Windows and glibc part ways, both builds read and write as glibc does,
// so that a file written on one system is the same bytes as one written on the other.
TEST(Cp932, WhereTheSystemsDifferItIsGlibcs) {
  const std::pair<char32_t, std::string> written[] = {
      {0x00A2, "\x81\x91"}, {0x00A3, "\x81\x92"}, {0x00A5, "\\"}, {0x00AC, "\x81\xCA"},
      {0x2014, "\x81\x5C"}, {0x2016, "\x81\x61"}, {0x203E, "~"},  {0x2212, "\x81\x7C"},
      {0x301C, "\x81\x60"}, {0x0080, "?"},        {0xF8F0, "?"},  {0xF8F1, "?"},
      {0xF8F2, "?"},        {0xF8F3, "?"}};
  for (const auto& [codePoint, bytes] : written) {
    EXPECT_EQ(EncodeCp932(Utf8Of(codePoint)), bytes) << std::hex << unsigned{codePoint};
  }
  EXPECT_EQ(DecodeCp932("\x80"), Utf8Of(kCarriedByteBase + 0x80));  // carried, not read
}

// The whole mapping both ways, as one digest: every byte and byte pair read, and every character
// of the Basic Multilingual Plane written. The same on both builds, so a file read and written by
// one means the same to the other. (The digest is of the mapping both builds share; a change to
// the mapping must be made on purpose, here.)
TEST(Cp932Table, IsTheOneMappingOfBothBuilds) {
  std::uint64_t digest = 0xcbf29ce484222325u;
  const auto add = [&digest](std::string_view bytes) {
    for (unsigned char c : bytes) digest = (digest ^ c) * 0x100000001b3u;
    digest = (digest ^ 0xFFu) * 0x100000001b3u;
  };
  std::size_t decoded = 0, encoded = 0;
  const auto read = [&](const std::string& bytes) {
    const std::string text = DecodeCp932(bytes);
    if (CharacterCount(text) == 1 &&
        text != Utf8Of(kCarriedByteBase + static_cast<unsigned char>(bytes[0])))
      ++decoded;
    add(text);
  };
  for (int b = 0x80; b <= 0xFF; ++b) read(std::string(1, static_cast<char>(b)));
  for (int lead = 0x81; lead <= 0xFC; lead = lead == 0x9F ? 0xE0 : lead + 1) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      read({static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  for (char32_t cp = 0x80; cp <= 0xFFFF; ++cp) {
    // Surrogates are no characters, and the carried bytes are the program's own.
    if ((cp >= 0xD800 && cp <= 0xDFFF) || (cp >= kCarriedByteBase && cp <= kCarriedByteBase + 0xFF))
      continue;
    const std::string bytes = EncodeCp932(Utf8Of(cp));
    if (bytes != "?") ++encoded;
    add(bytes);
  }
  EXPECT_EQ(decoded, 9667u);  // 63 half-width katakana and 9,604 pairs
  EXPECT_EQ(encoded, 9278u);  // less the 398 twins, and the 9 glibc writes only
  EXPECT_EQ(digest, 0x1820fa332b9168e9u);
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
