#include "platform/text_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace sfxtal::platform {
namespace {

// One converter per direction and thread: iconv_open is far too slow to call per line.
class Converter {
 public:
  Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(handle_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much of [in, in + size) as it can, appending to out. Returns the number of input
  // bytes consumed; stops early at a sequence the target or source cannot take.
  std::size_t Convert(const char* in, std::size_t size, std::string& out) {
    iconv(handle_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in);
    std::size_t srcLeft = size;
    char buffer[4096];
    while (srcLeft > 0) {
      char* dst = buffer;
      std::size_t dstLeft = sizeof buffer;
      const std::size_t rc = iconv(handle_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) break;
    }
    return size - srcLeft;
  }

 private:
  iconv_t handle_;
};

Converter& Decoder() {
  thread_local Converter converter("UTF-8", "CP932");
  return converter;
}

Converter& Encoder() {
  thread_local Converter converter("CP932", "UTF-8");
  return converter;
}

bool IsAscii(std::string_view text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

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

// Length of the UTF-8 sequence that starts with lead byte c (1 for a stray byte).
std::size_t SequenceLength(unsigned char c) {
  if (c < 0xC0) return 1;
  if (c < 0xE0) return 2;
  if (c < 0xF0) return 3;
  return 4;
}

}  // namespace

std::string Utf8Of(char32_t cp) {
  std::string out;
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
  return out;
}

std::string DecodeCp932(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    pos += Decoder().Convert(bytes.data() + pos, bytes.size() - pos, out);
    if (pos < bytes.size()) {
      // glibc stops at the first byte it cannot take; carry that byte through and go on. A lead
      // byte whose pair does not decode takes its trail byte along: carried alone, the trail
      // byte could pair anew with the byte after it, and the text would no longer give back the
      // same bytes (83 FA 5B would come back as 83 81 E6).
      const auto lead = static_cast<unsigned char>(bytes[pos]);
      out += Utf8Of(kCarriedByteBase + lead);
      ++pos;
      if (IsLeadByte(lead) && pos < bytes.size() &&
          IsTrailByte(static_cast<unsigned char>(bytes[pos]))) {
        out += Utf8Of(kCarriedByteBase + static_cast<unsigned char>(bytes[pos]));
        ++pos;
      }
    }
  }
  return out;
}

std::string EncodeCp932(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  bool leadCarried = false;  // the last byte written was a carried lead byte, awaiting its trail
  while (pos < utf8.size()) {
    // Find the next carried-through byte (U+F780..U+F87F) and hand the run before it to iconv.
    std::size_t runEnd = pos;
    char32_t carried = 0;
    while (runEnd < utf8.size()) {
      const auto c = static_cast<unsigned char>(utf8[runEnd]);
      const std::size_t len = SequenceLength(c);
      if (len == 3 && runEnd + 3 <= utf8.size()) {
        const char32_t cp = ((c & 0x0F) << 12) |
                            ((static_cast<unsigned char>(utf8[runEnd + 1]) & 0x3F) << 6) |
                            (static_cast<unsigned char>(utf8[runEnd + 2]) & 0x3F);
        if (cp >= kCarriedByteBase && cp <= kCarriedByteBase + 0xFF) {
          carried = cp;
          break;
        }
      }
      runEnd += len;
    }
    runEnd = std::min(runEnd, utf8.size());
    if (pos < runEnd) leadCarried = false;
    while (pos < runEnd) {
      pos += Encoder().Convert(utf8.data() + pos, runEnd - pos, out);
      if (pos < runEnd) {
        // A character CP932 cannot hold (or broken UTF-8): one "?" for the whole sequence.
        out += '?';
        ++pos;
        while (pos < runEnd && IsContinuation(static_cast<unsigned char>(utf8[pos]))) ++pos;
      }
    }
    if (carried != 0) {
      // Below 0x80 only a trail byte carried with its lead is a byte of its own: anything else
      // there is no text of ours, and must not turn into a line end, a quote or a comma.
      const auto byte = static_cast<unsigned char>(carried - kCarriedByteBase);
      if (byte >= 0x80 || (leadCarried && IsTrailByte(byte))) {
        out += static_cast<char>(byte);
        leadCarried = !leadCarried && IsLeadByte(byte);
      } else {
        out += '?';
        leadCarried = false;
      }
      pos += 3;
    }
  }
  return out;
}

std::string BytesAsCharacters(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    if (b < 0x80) {
      out += static_cast<char>(b);
    } else if (b >= 0xA1 && b <= 0xDF) {
      out += Utf8Of(0xFF61 + (b - 0xA1));
    } else {
      out += Utf8Of(kCarriedByteBase + b);
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

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

}  // namespace sfxtal::platform
