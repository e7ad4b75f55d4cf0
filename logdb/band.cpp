#include "logdb/band.h"

#include <array>
#include <cstddef>

namespace sfxtal::logdb {
namespace {

// The frequency text as the band tests see it: its first six characters as code points (no test
// looks further) and its length in characters. A half-width katakana or a carried log byte is one
// character, as in the log itself.
struct FrequencyText {
  std::array<char32_t, 6> first{};
  std::size_t length = 0;

  // The character at a place counted from 0; a missing one is 0, which equals no character tested
  // and lies in no range.
  char32_t operator[](std::size_t i) const { return i < first.size() ? first[i] : 0; }

  template <std::size_t N>
  bool StartsWith(const char32_t (&prefix)[N]) const {
    constexpr std::size_t kSize = N - 1;  // without the literal's terminating zero
    if (length < kSize) return false;
    for (std::size_t i = 0; i < kSize; ++i) {
      if ((*this)[i] != prefix[i]) return false;
    }
    return true;
  }
};

FrequencyText Decode(std::string_view utf8) {
  FrequencyText text;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = size == 1   ? lead
                    : size == 2 ? lead & 0x1F
                    : size == 3 ? lead & 0x0F
                                : lead & 0x07;
    for (std::size_t k = 1; k < size && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (text.length < text.first.size()) text.first[text.length] = code;
    ++text.length;
    i += size;
  }
  return text;
}

bool InRange(char32_t c, char32_t low, char32_t high) {
  return c >= low && c <= high;
}

}  // namespace

std::string_view ClassifyBand(std::string_view freq) {
  const FrequencyText f = Decode(freq);

  // Microwave frequencies given in MHz with five digits before the point (10 GHz, 24 GHz, 47 GHz):
  // the first "." is the sixth character, or there is none and the text has exactly five
  // characters. These are settled here; the band list below would take them for 10, 24 or 47 MHz.
  std::size_t dot = 0;  // counted from 1; 0 when none of the first six characters is a "."
  for (std::size_t i = 0; i < f.first.size() && i < f.length; ++i) {
    if (f[i] == U'.') {
      dot = i + 1;
      break;
    }
  }
  if (dot == 0 && f.length == 5) dot = 6;
  if (dot == 6) {
    if (f.StartsWith(U"10")) return "10000";
    if (f.StartsWith(U"24")) return "24000";
    if (f.StartsWith(U"47")) return "47000";
  }

  // The band list, by the frequency's leading characters: every test is made, in order, and the
  // last one that holds wins, so a later, longer prefix overrides an earlier one (1200 over 12).
  std::string_view band;
  if (f.StartsWith(U"1.")) band = "1.9";
  if (f.StartsWith(U"3.")) band = "3.5";
  if (f.StartsWith(U"7")) band = "7";
  if (f.StartsWith(U"10")) band = "10";
  if (f.StartsWith(U"14")) band = "14";
  if (f.StartsWith(U"18")) band = "18";
  if (f.StartsWith(U"21")) band = "21";
  if (f.StartsWith(U"24") && (f.length == 2 || f[2] == U'.')) band = "24";
  if (f.StartsWith(U"28")) band = "28";
  if (f.StartsWith(U"29")) band = "28";
  if (f[0] == U'5' && InRange(f[1], U'0', U'5')) band = "50";
  if (f.StartsWith(U"144") || f.StartsWith(U"145")) band = "144";
  if (f.StartsWith(U"43")) band = "430";
  if (f.StartsWith(U"12")) band = "1200";
  if (f.StartsWith(U"24") && InRange(f[2], U'0', U'9')) band = "2400";
  if (f[0] == U'5' && InRange(f[1], U'6', U'9')) band = "5600";
  return band;
}

}  // namespace sfxtal::logdb
