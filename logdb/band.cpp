#include "logdb/band.h"

#include <array>
#include <cstdint>
#include <string>

#include "logdb/log_database.h"

namespace sfxtal::logdb {
namespace {

// A frequency text that is ASCII only: one byte, one character. Nearly every log is so.
struct AsciiText {
  std::string_view bytes;
  std::size_t size() const { return bytes.size(); }
  char32_t operator[](std::size_t i) const { return static_cast<unsigned char>(bytes[i]); }
};

// Any other text in UTF-8: its length in characters and its first six characters as code points
// (a half-width katakana or a carried byte counts as one character). Only those six are looked at.
struct DecodedText {
  std::array<char32_t, 6> c{};
  std::size_t length = 0;
  std::size_t size() const { return length; }
  char32_t operator[](std::size_t i) const { return i < c.size() ? c[i] : 0; }
};

DecodedText Decode(std::string_view utf8) {
  DecodedText text;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t cp = lead < 0x80   ? lead
                  : lead < 0xE0 ? lead & 0x1F
                  : lead < 0xF0 ? lead & 0x0F
                                : lead & 0x07;
    for (std::size_t k = 1; k < size && i + k < utf8.size(); ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (text.length < text.c.size()) text.c[text.length] = cp;
    ++text.length;
    i += size;
  }
  return text;
}

template <typename Text>
std::string_view Classify(const Text& f) {
  // Characters are compared by code; a missing one (past the end) is 0, which equals none of the
  // characters tested and lies in none of the ranges.
  const auto at = [&f](std::size_t i) -> char32_t { return i < f.size() ? f[i] : 0; };
  const auto in = [](char32_t c, char low, char high) {
    return c >= static_cast<char32_t>(low) && c <= static_cast<char32_t>(high);
  };
  const char32_t c0 = at(0), c1 = at(1), c2 = at(2);

  // Five-digit (GHz-range) frequencies: the first "." is the sixth character, or there is none
  // and the text has exactly five characters.
  std::size_t firstDot = 0;  // counted from 1; 0 when there is none among the first six
  for (std::size_t i = 0; i < 6 && i < f.size(); ++i) {
    if (f[i] == U'.') {
      firstDot = i + 1;
      break;
    }
  }
  if (firstDot == 6 || (firstDot == 0 && f.size() == 5)) {
    if (c0 == U'1' && c1 == U'0') return "10000";
    if (c0 == U'2' && c1 == U'4') return "24000";
    if (c0 == U'4' && c1 == U'7') return "47000";
  }

  // The band list. Its sixteen tests are made in order and the last one that holds wins; only
  // "144"/"145" also hold for an earlier test ("14"), so the list comes down to this choice on
  // the first characters.
  switch (c0) {
    case U'1':
      switch (c1) {
        case U'.':
          return "1.9";
        case U'0':
          return "10";
        case U'4':
          return c2 == U'4' || c2 == U'5' ? "144" : "14";
        case U'8':
          return "18";
        case U'2':
          return "1200";
        default:
          return "";
      }
    case U'2':
      switch (c1) {
        case U'1':
          return "21";
        case U'4':
          if (f.size() == 2 || c2 == U'.') return "24";
          return in(c2, '0', '9') ? "2400" : "";
        case U'8':
        case U'9':
          return "28";
        default:
          return "";
      }
    case U'3':
      return c1 == U'.' ? "3.5" : "";
    case U'4':
      return c1 == U'3' ? "430" : "";
    case U'5':
      if (in(c1, '0', '5')) return "50";
      return in(c1, '6', '9') ? "5600" : "";
    case U'7':
      return "7";
    default:
      return "";
  }
}

bool IsAscii(std::string_view text) {
  for (unsigned char b : text) {
    if (b >= 0x80) return false;
  }
  return true;
}

// The same choice for ASCII text through a table on the first two characters, since the band of
// one QSO says nothing about the next one's and a chain of tests would be mispredicted for most.
enum Choice : std::uint8_t {
  kInvalid,
  k1_9,
  k3_5,
  k7,
  k10,
  k14,
  k18,
  k21,
  k24,
  k28,
  k50,
  k144,
  k430,
  k1200,
  k2400,
  k5600,
  k10000,
  k24000,
  k47000,
  kTenOrTenGhz,        // "10": 10 or, as a five-digit frequency, 10000
  kFourteenOr144,      // "14": 144 when the third character is "4" or "5"
  kTwentyFourOrMore,   // "24": 24, 2400 or, as a five-digit frequency, 24000
  kFortySevenGhzOnly,  // "47": 47000 as a five-digit frequency, else nothing
};

constexpr std::array<std::string_view, 19> kLabels = {
    "",   "1.9", "3.5", "7",    "10",   "14",   "18",    "21",    "24",    "28",
    "50", "144", "430", "1200", "2400", "5600", "10000", "24000", "47000",
};

Choice ChoiceOf(std::string_view label) {
  for (std::size_t i = 0; i < kLabels.size(); ++i) {
    if (kLabels[i] == label) return static_cast<Choice>(i);
  }
  return kInvalid;
}

// The labels as strings made once, so that the reader can hand out a reference to one.
const std::string& LabelText(Choice choice) {
  static const std::array<std::string, 19> kTexts = [] {
    std::array<std::string, 19> texts;
    for (std::size_t i = 0; i < kLabels.size(); ++i) texts[i] = kLabels[i];
    return texts;
  }();
  return kTexts[choice];
}

std::array<Choice, 128 * 128> MakeChoices() {
  std::array<Choice, 128 * 128> choices{};
  for (int c0 = 1; c0 < 128; ++c0) {
    for (int c1 = 0; c1 < 128; ++c1) {  // 0: there is no second character
      // These two characters decide everything but the four cases marked.
      const char text[2] = {static_cast<char>(c0), static_cast<char>(c1)};
      const std::string_view two(text, c1 == 0 ? 1 : 2);
      Choice choice = kInvalid;
      if (two == "10") {
        choice = kTenOrTenGhz;
      } else if (two == "14") {
        choice = kFourteenOr144;
      } else if (two == "24") {
        choice = kTwentyFourOrMore;
      } else if (two == "47") {
        choice = kFortySevenGhzOnly;
      } else {
        choice = ChoiceOf(Classify(AsciiText{two}));
      }
      choices[static_cast<std::size_t>(c0 * 128 + c1)] = choice;
    }
  }
  return choices;
}

// The first "." is the sixth character, or there is none and the text has five characters.
bool IsFiveDigit(std::string_view f) {
  for (std::size_t i = 0; i < 5 && i < f.size(); ++i) {
    if (f[i] == '.') return false;
  }
  return f.size() == 5 || (f.size() > 5 && f[5] == '.');
}

}  // namespace

const std::string& BandLabel(std::string_view freq) {
  return IsAscii(freq) ? AsciiBandLabel(freq) : LabelText(ChoiceOf(Classify(Decode(freq))));
}

const std::string& AsciiBandLabel(std::string_view freq) {
  if (freq.empty()) return LabelText(kInvalid);
  static const std::array<Choice, 128 * 128> kChoices = MakeChoices();
  const unsigned c0 = static_cast<unsigned char>(freq[0]);
  const unsigned c1 = freq.size() > 1 ? static_cast<unsigned char>(freq[1]) : 0u;
  const char c2 = freq.size() > 2 ? freq[2] : '\0';
  Choice choice = kChoices[c0 * 128 + c1];
  switch (choice) {
    case kTenOrTenGhz:
      choice = IsFiveDigit(freq) ? k10000 : k10;
      break;
    case kFourteenOr144:
      choice = c2 == '4' || c2 == '5' ? k144 : k14;
      break;
    case kTwentyFourOrMore:
      if (IsFiveDigit(freq)) {
        choice = k24000;
      } else if (freq.size() == 2 || c2 == '.') {
        choice = k24;
      } else {
        choice = c2 >= '0' && c2 <= '9' ? k2400 : kInvalid;
      }
      break;
    case kFortySevenGhzOnly:
      choice = IsFiveDigit(freq) ? k47000 : kInvalid;
      break;
    default:
      break;
  }
  return LabelText(choice);
}

std::string ClassifyBand(std::string_view freq) {
  return BandLabel(freq);
}

}  // namespace sfxtal::logdb
