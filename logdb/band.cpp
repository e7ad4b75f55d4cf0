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

  bool StartsWith(std::string_view prefix) const { return bytes_.starts_with(prefix); }

 private:
  std::string_view bytes_;
};

bool InRange(char c, char low, char high) {
  return c >= low && c <= high;
}

}  // namespace

std::string_view ClassifyBand(std::string_view freq) {
  const FrequencyText f(freq);

  // Microwave frequencies given in MHz with five digits before the point (10 GHz, 24 GHz, 47 GHz):
  // the first "." is the sixth character, or there is none and the text has exactly five
  // characters. These are settled here; the band list below would take them for 10, 24 or 47 MHz.
  std::size_t dot = 0;  // counted from 1; 0 when none of the first six characters is a "."
  for (std::size_t i = 0; i < 6 && i < f.length(); ++i) {
    if (f[i] == '.') {
      dot = i + 1;
      break;
    }
  }
  if (dot == 0 && f.length() == 5) dot = 6;
  if (dot == 6) {
    if (f.StartsWith("10")) return "10000";
    if (f.StartsWith("24")) return "24000";
    if (f.StartsWith("47")) return "47000";
  }

  // The band list, by the frequency's leading characters: every test is made, in order, and the
  // last one that holds wins, so a later, longer prefix overrides an earlier one (1200 over 12).
  std::string_view band;
  if (f.StartsWith("1.")) band = "1.9";
  if (f.StartsWith("3.")) band = "3.5";
  if (f.StartsWith("7")) band = "7";
  if (f.StartsWith("10")) band = "10";
  if (f.StartsWith("14")) band = "14";
  if (f.StartsWith("18")) band = "18";
  if (f.StartsWith("21")) band = "21";
  if (f.StartsWith("24") && (f.length() == 2 || f[2] == '.')) band = "24";
  if (f.StartsWith("28")) band = "28";
  if (f.StartsWith("29")) band = "28";
  if (f[0] == '5' && InRange(f[1], '0', '5')) band = "50";
  if (f.StartsWith("144") || f.StartsWith("145")) band = "144";
  if (f.StartsWith("43")) band = "430";
  if (f.StartsWith("12")) band = "1200";
  if (f.StartsWith("24") && InRange(f[2], '0', '9')) band = "2400";
  if (f[0] == '5' && InRange(f[1], '6', '9')) band = "5600";
  return band;
}

}  // namespace sfxtal::logdb
