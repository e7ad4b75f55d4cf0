#include "logdb/band.h"

#include <array>
#include <string>

#include "logdb/log_database.h"

namespace sfxtal::logdb {
namespace {

// The first characters of a frequency text as code points (0 past its end), with its length in
// characters. The text is UTF-8: a half-width katakana or a carried byte counts as one character.
struct Leading {
  std::array<char32_t, 6> c{};
  std::size_t length = 0;
};

Leading LeadingCharacters(std::string_view utf8) {
  Leading leading;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t cp = lead < 0x80   ? lead
                  : lead < 0xE0 ? lead & 0x1F
                  : lead < 0xF0 ? lead & 0x0F
                                : lead & 0x07;
    for (std::size_t k = 1; k < size && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (leading.length < leading.c.size()) leading.c[leading.length] = cp;
    ++leading.length;
    i += size;
  }
  return leading;
}

bool InRange(char32_t c, char low, char high) {
  return c != 0 && c >= static_cast<char32_t>(low) && c <= static_cast<char32_t>(high);
}

}  // namespace

std::string_view BandLabel(std::string_view freq) {
  const Leading f = LeadingCharacters(freq);
  const auto& c = f.c;
  const auto starts = [&f](std::string_view prefix) {
    if (f.length < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
      if (f.c[i] != static_cast<char32_t>(prefix[i])) return false;
    }
    return true;
  };

  // Five-digit (GHz-range) frequencies: the first "." is the sixth character, or there is none
  // and the text has exactly five characters.
  bool dotAtSix = f.length >= 6 && c[5] == U'.';
  for (std::size_t i = 0; i < 5 && i < f.length; ++i) dotAtSix = dotAtSix && c[i] != U'.';
  bool noDotFive = f.length == 5;
  for (std::size_t i = 0; i < 5 && i < f.length; ++i) noDotFive = noDotFive && c[i] != U'.';
  if (dotAtSix || noDotFive) {
    if (starts("10")) return "10000";
    if (starts("24")) return "24000";
    if (starts("47")) return "47000";
  }

  // The band list: every test is made, and the last one that holds wins.
  std::string_view band;
  if (starts("1.")) band = "1.9";
  if (starts("3.")) band = "3.5";
  if (starts("7")) band = "7";
  if (starts("10")) band = "10";
  if (starts("14")) band = "14";
  if (starts("18")) band = "18";
  if (starts("21")) band = "21";
  if (starts("24") && (f.length == 2 || c[2] == U'.')) band = "24";
  if (starts("28")) band = "28";
  if (starts("29")) band = "28";
  if (starts("5") && InRange(c[1], '0', '5')) band = "50";
  if (starts("144") || starts("145")) band = "144";
  if (starts("43")) band = "430";
  if (starts("12")) band = "1200";
  if (starts("24") && InRange(c[2], '0', '9')) band = "2400";
  if (starts("5") && InRange(c[1], '6', '9')) band = "5600";
  return band;
}

std::string ClassifyBand(std::string_view freq) {
  return std::string(BandLabel(freq));
}

}  // namespace sfxtal::logdb
