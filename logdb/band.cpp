#include "logdb/band.h"

#include <cstddef>

namespace sfxtal::logdb {
namespace {

// The frequency as the band tests see it: the log's bytes, each byte one character, as in the log
// itself (a half-width katakana or a byte of a two-byte character is one), compared one by one.
class FrequencyText {
 public:
  explicit FrequencyText(std::string_view bytes) : bytes_(bytes) {}

  std::size_t length() const { return bytes_.size(); }
  // The character at a place counted from 0; a missing one is 0, which equals no character tested
  // and lies in no range.
  char operator[](std::size_t i) const { return i < bytes_.size() ? bytes_[i] : '\0'; }

 private:
  std::string_view bytes_;
};

bool InRange(char c, char low, char high) {
  return c >= low && c <= high;
}

// A microwave frequency given in MHz with five digits before the point (10 GHz, 24 GHz, 47 GHz):
// the first "." is the sixth character, or there is none and the text has exactly five
// characters. Such a frequency is not 10, 24 or 47 MHz, which its first characters would say.
bool FiveDigitsBeforeThePoint(const FrequencyText& f) {
  for (std::size_t i = 0; i < 6 && i < f.length(); ++i) {
    if (f[i] == '.') return i == 5;
  }
  return f.length() == 5;
}

}  // namespace

std::string_view ClassifyBand(std::string_view freq) {
  const FrequencyText f(freq);

  // The band list, by the frequency's leading characters, a longer prefix before a shorter one
  // (144 before 14, 2400 before 24).
  const auto digit = [](char c) { return InRange(c, '0', '9'); };
  switch (f[0]) {
    case '1':
      switch (f[1]) {
        case '.':
          return "1.9";
        case '0':
          return FiveDigitsBeforeThePoint(f) ? "10000" : "10";
        case '2':
          return "1200";
        case '4':
          return f[2] == '4' || f[2] == '5' ? "144" : "14";
        case '8':
          return "18";
        default:
          return "";
      }
    case '2':
      switch (f[1]) {
        case '1':
          return "21";
        case '4':
          if (FiveDigitsBeforeThePoint(f)) return "24000";
          if (digit(f[2])) return "2400";
          return f.length() == 2 || f[2] == '.' ? "24" : "";
        case '8':
        case '9':
          return "28";
        default:
          return "";
      }
    case '3':
      return f[1] == '.' ? "3.5" : "";
    case '4':
      if (f[1] == '7') return FiveDigitsBeforeThePoint(f) ? "47000" : "";
      return f[1] == '3' ? "430" : "";
    case '5':
      if (InRange(f[1], '0', '5')) return "50";
      return InRange(f[1], '6', '9') ? "5600" : "";
    case '7':
      return "7";
    default:
      return "";
  }
}

}  // namespace sfxtal::logdb
