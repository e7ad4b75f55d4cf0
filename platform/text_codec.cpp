#include "platform/text_codec.h"

#include <array>
#include <cstdint>

#include "platform/ascii_text.h"
#include "platform/system_cp932.h"

namespace sfxtal::platform {
namespace {

// The first and second bytes of a CP932 two-byte code.
bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsTrailByte(unsigned char c) {
  return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool IsContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The UTF-8 character at `pos`: its code point and length, or length 0 when the bytes there are
// no well-formed character (a stray or cut-off sequence, an overlong form, a surrogate).
struct Utf8Character {
  char32_t codePoint;
  std::size_t length;
};

Utf8Character ReadUtf8(std::string_view text, std::size_t pos) {
  const auto c = static_cast<unsigned char>(text[pos]);
  std::size_t length;
  char32_t cp;
  char32_t least;
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2, cp = c & 0x1F, least = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3, cp = c & 0x0F, least = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4, cp = c & 0x07, least = 0x10000;
  } else {
    return {0, 0};
  }
  if (pos + length > text.size()) return {0, 0};
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if (!IsContinuation(next)) return {0, 0};
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {0, 0};
  return {cp, length};
}

// The program's one CP932 mapping, the same in both builds so that each reads and writes every
// file byte for byte as the other does. It is the system's own converter, asked once for every
// byte and byte pair, and for the bytes of every character these read as (so of the 398
// characters with two spellings, the one the system writes), then looked up.
//
// Windows and glibc differ in 15 places, and the mapping takes glibc's side in each: that is the
// mapping every file the program has written so far was made with, and no text it read back
// changes. Windows reads byte 0x80 as U+0080, which glibc does not (it stays a carried byte, so
// it is still written back as 0x80); Windows writes U+0080 and U+F8F0-U+F8F3 as 80, A0 and FD-FF,
// bytes that no reader takes back, so they stay "?"; and glibc writes the nine characters below,
// which Windows has no bytes for (it reads those bytes as their full-width forms).
constexpr unsigned char kReadOnlyByWindows = 0x80;
constexpr struct {
  char32_t codePoint;
  std::uint16_t bytes;
} kWrittenOnlyByGlibc[] = {
    {0x00A2, 0x8191}, {0x00A3, 0x8192}, {0x00A5, 0x005C}, {0x00AC, 0x81CA}, {0x2014, 0x815C},
    {0x2016, 0x8161}, {0x203E, 0x007E}, {0x2212, 0x817C}, {0x301C, 0x8160},
};

class Cp932Mapping {
 public:
  Cp932Mapping() {
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
      if (IsLeadByte(static_cast<unsigned char>(b)) || b == kReadOnlyByWindows) continue;
      Learn(b, SystemDecodeCp932(std::string(1, static_cast<char>(b))));
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
      if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
      for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
        if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
        const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        Learn(lead << 8 | trail, SystemDecodeCp932(std::string_view(pair, 2)));
      }
    }
    for (const auto& written : kWrittenOnlyByGlibc) bytes_[written.codePoint] = written.bytes;
  }

  /// The character of a single byte (0x80-0xFF) or of a lead and a trail byte; 0 when none.
  char32_t Single(unsigned char b) const { return single_[b]; }
  char32_t Pair(unsigned char lead, unsigned char trail) const {
    return pairs_[static_cast<std::size_t>(lead) << 8 | trail];
  }
  /// The bytes of a character of the Basic Multilingual Plane as one number (a pair as lead * 256
  /// + trail); 0 when it has none.
  std::uint16_t Bytes(char32_t cp) const { return cp <= 0xFFFF ? bytes_[cp] : 0; }

 private:
  void Learn(unsigned bytes, char32_t cp) {
    if (cp == 0 || cp > 0xFFFF) return;
    if (bytes <= 0xFF) {
      single_[bytes] = static_cast<std::uint16_t>(cp);
    } else {
      pairs_[bytes] = static_cast<std::uint16_t>(cp);
    }
    if (bytes_[cp] != 0) return;
    const std::string written = SystemEncodeCp932(cp);
    if (written.size() == 1) bytes_[cp] = static_cast<unsigned char>(written[0]);
    if (written.size() == 2) {
      bytes_[cp] = static_cast<std::uint16_t>(static_cast<unsigned char>(written[0]) << 8 |
                                              static_cast<unsigned char>(written[1]));
    }
  }

  // Held in the program's static storage, as the mapping lives as long as the program.
  std::array<std::uint16_t, 0x100> single_{};
  std::array<std::uint16_t, 0x10000> pairs_{};
  std::array<std::uint16_t, 0x10000> bytes_{};
};

const Cp932Mapping& Mapping() {
  static const Cp932Mapping mapping;
  return mapping;
}

}  // namespace

char32_t CodePointOf(std::string_view oneCharacter) {
  if (oneCharacter.size() == 1) {
    const auto c = static_cast<unsigned char>(oneCharacter[0]);
    return c < 0x80 ? c : 0;
  }
  if (oneCharacter.empty()) return 0;
  const Utf8Character character = ReadUtf8(oneCharacter, 0);
  return character.length == oneCharacter.size() ? character.codePoint : 0;
}

std::string Utf8Of(char32_t cp) {
  std::string out;
  AppendUtf8(out, cp);
  return out;
}

std::string DecodeCp932(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  const Cp932Mapping& mapping = Mapping();
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const auto b = static_cast<unsigned char>(bytes[pos++]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      continue;
    }
    const bool pairFollows = IsLeadByte(b) && pos < bytes.size();
    const auto next = pairFollows ? static_cast<unsigned char>(bytes[pos]) : 0;
    const char32_t cp =
        IsLeadByte(b) ? (pairFollows ? mapping.Pair(b, next) : 0) : mapping.Single(b);
    if (cp != 0) {
      AppendUtf8(out, cp);
      if (IsLeadByte(b)) ++pos;
      continue;
    }
    // A byte that does not decode is carried through. A lead byte whose pair does not decode takes
    // its trail byte along: carried alone, the trail byte could pair anew with the byte after it,
    // and the text would no longer give back the same bytes (83 FA 5B would come back as 83 81 E6).
    AppendUtf8(out, kCarriedByteBase + b);
    if (pairFollows && IsTrailByte(next)) {
      AppendUtf8(out, kCarriedByteBase + next);
      ++pos;
    }
  }
  return out;
}

std::string EncodeCp932(std::string_view utf8) {
  std::string out;
  AppendCp932(out, utf8);
  return out;
}

void AppendCp932(std::string& out, std::string_view utf8) {
  std::size_t pos = 0;
  bool leadCarried = false;  // the last byte written was a carried lead byte, awaiting its trail
  while (pos < utf8.size()) {
    // Even text with kanji is mostly ASCII: each run of it goes over whole (with the work-file line
    // made in one pass, callgrind counts 225 million instructions for the import's processing of
    // 100,000 QSOs before, 177 million after).
    std::size_t run = pos;
    while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80) ++run;
    if (run != pos) {
      out.append(utf8.data() + pos, run - pos);
      leadCarried = false;
      pos = run;
      continue;
    }
    const Utf8Character character = ReadUtf8(utf8, pos);
    const char32_t cp = character.codePoint;
    if (character.length == 0) {
      // Broken UTF-8: one "?" for the whole sequence.
      out += '?';
      leadCarried = false;
      ++pos;
      while (pos < utf8.size() && IsContinuation(static_cast<unsigned char>(utf8[pos]))) ++pos;
      continue;
    }
    pos += character.length;
    if (cp >= kCarriedByteBase && cp <= kCarriedByteBase + 0xFF) {
      // Below 0x80 only a trail byte carried with its lead is a byte of its own: anything else
      // there is no text of ours, and must not turn into a line end, a quote or a comma.
      const auto byte = static_cast<unsigned char>(cp - kCarriedByteBase);
      if (byte >= 0x80 || (leadCarried && IsTrailByte(byte))) {
        out += static_cast<char>(byte);
        leadCarried = !leadCarried && IsLeadByte(byte);
      } else {
        out += '?';
        leadCarried = false;
      }
      continue;
    }
    leadCarried = false;
    // A character CP932 cannot hold becomes "?".
    const std::uint16_t written = Mapping().Bytes(cp);
    if (written == 0) {
      out += '?';
    } else if (written <= 0xFF) {
      out += static_cast<char>(written);
    } else {
      out += static_cast<char>(written >> 8);
      out += static_cast<char>(written & 0xFF);
    }
  }
}

std::string_view FirstCharacterNotInCp932(std::string_view utf8) {
  const Cp932Mapping& mapping = Mapping();
  for (std::size_t pos = 0; pos < utf8.size();) {
    if (static_cast<unsigned char>(utf8[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const Utf8Character character = ReadUtf8(utf8, pos);
    if (character.length == 0) {
      std::size_t end = pos + 1;
      while (end < utf8.size() && IsContinuation(static_cast<unsigned char>(utf8[end]))) ++end;
      return utf8.substr(pos, end - pos);
    }
    const char32_t cp = character.codePoint;
    if ((cp >= kCarriedByteBase && cp <= kCarriedByteBase + 0xFF) || mapping.Bytes(cp) == 0) {
      return utf8.substr(pos, character.length);
    }
    pos += character.length;
  }
  return {};
}

std::string BytesAsCharacters(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      AppendUtf8(out, b >= 0xA1 && b <= 0xDF ? 0xFF61 + (b - 0xA1) : kCarriedByteBase + b);
    }
  }
  return out;
}

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (unsigned char c : utf8) {
    if (!IsContinuation(c)) ++count;
  }
  return count;
}

std::string_view LeftCharacters(std::string_view utf8, std::size_t n) {
  std::size_t pos = 0;
  for (std::size_t i = 0; i < n && pos < utf8.size(); ++i) {
    ++pos;
    while (pos < utf8.size() && IsContinuation(static_cast<unsigned char>(utf8[pos]))) ++pos;
  }
  return utf8.substr(0, pos);
}

std::string_view RightCharacters(std::string_view utf8, std::size_t n) {
  std::size_t pos = utf8.size();
  for (std::size_t i = 0; i < n && pos > 0; ++i) {
    --pos;
    while (pos > 0 && IsContinuation(static_cast<unsigned char>(utf8[pos]))) --pos;
  }
  return utf8.substr(pos);
}

}  // namespace sfxtal::platform
