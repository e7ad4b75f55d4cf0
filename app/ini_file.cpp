#include "app/ini_file.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::app {
namespace {

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimIniBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// Names are compared as UTF-8, where an ASCII byte is always an ASCII character; in CP932 a
// letter byte may be the second half of a kanji and must not be folded.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != text.npos;
}

}  // namespace

IniDocument::IniDocument(std::string bytes) {
  // Line ends are found on the bytes: CR and LF never occur inside a CP932 character.
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t stop = bytes.find_first_of("\r\n", pos);
    if (stop == std::string::npos) {
      lines_.push_back(Parse(bytes.substr(pos), ""));
      break;
    }
    std::size_t next = stop + 1;
    if (bytes[stop] == '\r' && next < bytes.size() && bytes[next] == '\n') ++next;
    lines_.push_back(Parse(bytes.substr(pos, stop - pos), bytes.substr(stop, next - stop)));
    pos = next;
  }
}

IniDocument::Line IniDocument::Parse(std::string bytes, std::string end) {
  Line line;
  line.bytes = std::move(bytes);
  line.end = std::move(end);
  const std::string utf8 = platform::DecodeCp932(line.bytes);
  const std::string_view text = TrimIniBlanks(utf8);
  if (text.empty() || text.front() == ';') return line;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == text.npos) return line;
    line.kind = Kind::kSection;
    line.name = TrimIniBlanks(text.substr(1, close - 1));
    return line;
  }
  const std::size_t equals = text.find('=');
  if (equals == text.npos) return line;
  const std::string_view name = TrimIniBlanks(text.substr(0, equals));
  if (name.empty()) return line;
  std::string_view value = TrimIniBlanks(text.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  line.kind = Kind::kKey;
  line.name = name;
  line.value = value;
  return line;
}

std::size_t IniDocument::FindSection(std::string_view section) const {
  const std::string_view wanted = TrimIniBlanks(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::kSection && SameName(lines_[i].name, wanted)) return i;
  }
  return kNone;
}

std::size_t IniDocument::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::kSection) ++i;
  return i;
}

std::size_t IniDocument::FindKey(std::size_t header, std::string_view key) const {
  const std::string_view wanted = TrimIniBlanks(key);
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind == Kind::kKey && SameName(lines_[i].name, wanted)) return i;
  }
  return kNone;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == kNone) return std::nullopt;
  const std::size_t at = FindKey(header, key);
  if (at == kNone) return std::nullopt;
  return lines_[at].value;
}

void IniDocument::Insert(std::size_t at, Line line) {
  // The line before a new one must end, or the two would run together.
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = "\r\n";
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view sectionName = TrimIniBlanks(section);
  const std::string_view keyName = TrimIniBlanks(key);
  if (sectionName.empty() || HasLineBreak(sectionName) ||
      sectionName.find(']') != sectionName.npos) {
    return false;
  }
  if (keyName.empty() || HasLineBreak(keyName) || keyName.find('=') != keyName.npos ||
      keyName.front() == '[' || keyName.front() == ';') {
    return false;
  }
  // A line break in a value would start a line of its own, perhaps a section or another key.
  value = value.substr(0, value.find_first_of("\r\n"));
  std::string valueBytes = platform::EncodeCp932(value);
  // Reading drops blanks around a value and a pair of quotes around it. A value that ends in a
  // blank (a path ending in one) or stands in quotes is stored in quotes of its own, so that it
  // reads back as it was given; leading blanks stay as they are, since the number form of the
  // window positions begins with one.
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  const bool quoted = valueBytes.size() >= 2 &&
                      (valueBytes.front() == '"' || valueBytes.front() == '\'') &&
                      valueBytes.back() == valueBytes.front();
  if (!valueBytes.empty() && (isBlank(valueBytes.back()) || quoted)) {
    valueBytes = '"' + valueBytes + '"';
  }

  std::size_t header = FindSection(sectionName);
  if (header == kNone) {
    std::string headerLine = "[";
    headerLine.append(sectionName).append("]");
    Insert(lines_.size(), Parse(platform::EncodeCp932(headerLine), "\r\n"));
    header = lines_.size() - 1;
  }
  const std::size_t at = FindKey(header, keyName);
  if (at != kNone) {
    // Keep the line's own spelling of the key and the blanks around it; '=' is never the second
    // byte of a CP932 character, so the first '=' byte is the separator.
    Line& line = lines_[at];
    const std::string prefix = line.bytes.substr(0, line.bytes.find('=') + 1);
    line = Parse(prefix + valueBytes, std::move(line.end));
    return true;
  }
  // After the section's last line that is not blank, so the blank lines that part it from the
  // next section stay where they are.
  std::size_t after = SectionEnd(header);
  while (after > header + 1 && TrimIniBlanks(lines_[after - 1].bytes).empty()) --after;
  Insert(after, Parse(platform::EncodeCp932(keyName) + "=" + valueBytes, "\r\n"));
  return true;
}

std::string IniDocument::Bytes() const {
  std::string bytes;
  for (const Line& line : lines_) {
    bytes += line.bytes;
    bytes += line.end;
  }
  return bytes;
}

std::optional<std::string> ReadIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key) {
  const std::optional<std::string> bytes = platform::ReadFileBytes(file);
  if (!bytes) return std::nullopt;
  return IniDocument(*bytes).Value(section, key);
}

bool WriteIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value) {
  std::string old;
  bool existed = false;
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) {
    // Something that is there but cannot be read is not ours to overwrite.
    if (!S_ISREG(info.st_mode)) return false;
    std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes) return false;
    old = std::move(*bytes);
    existed = true;
  } else if (errno != ENOENT) {
    return false;
  }
  IniDocument document(old);
  if (!document.SetValue(section, key, value)) return false;
  std::string updated = document.Bytes();
  if (existed && updated == old) return true;
  return platform::ReplaceFile(file, updated);
}

}  // namespace sfxtal::app
