#include "app/ini_file.h"

#include <system_error>

#include "platform/ascii_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::app {
namespace {

using platform::TrimBlanksAndTabs;

// Names are compared as UTF-8, where an ASCII byte is always an ASCII character; in CP932 a
// letter byte may be the second half of a kanji and must not be folded.
bool SameName(std::string_view a, std::string_view b) {
  return platform::EqualsIgnoringAsciiCase(a, b);
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != text.npos;
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {}

bool IniDocument::LineAt(std::size_t pos, Line& line) const {
  if (pos >= bytes_.size()) return false;
  // Line ends are found on the bytes: CR and LF never occur inside a CP932 character.
  const std::size_t stop = bytes_.find_first_of("\r\n", pos);
  line.begin = pos;
  if (stop == std::string::npos) {
    line.end = line.next = bytes_.size();
    return true;
  }
  line.end = stop;
  line.next = stop + 1;
  if (bytes_[stop] == '\r' && line.next < bytes_.size() && bytes_[line.next] == '\n') {
    ++line.next;
  }
  return true;
}

IniDocument::Entry IniDocument::Parse(const Line& line) const {
  return Parse(std::string_view(bytes_).substr(line.begin, line.end - line.begin));
}

IniDocument::Entry IniDocument::Parse(std::string_view lineBytes) {
  Entry entry;
  // Cheap for the lines that are no section and no key, however many there are.
  const std::string_view trimmedBytes = TrimBlanksAndTabs(lineBytes);
  if (trimmedBytes.empty() || trimmedBytes.front() == ';') return entry;
  const std::string utf8 = platform::DecodeCp932(trimmedBytes);
  const std::string_view text = TrimBlanksAndTabs(utf8);
  if (text.empty() || text.front() == ';') return entry;
  if (text.front() == '[') {
    const std::size_t close = text.find(']');
    if (close == text.npos) return entry;
    entry.kind = Kind::kSection;
    entry.name = TrimBlanksAndTabs(text.substr(1, close - 1));
    return entry;
  }
  const std::size_t equals = text.find('=');
  if (equals == text.npos) return entry;
  const std::string_view name = TrimBlanksAndTabs(text.substr(0, equals));
  if (name.empty()) return entry;
  std::string_view value = TrimBlanksAndTabs(text.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  entry.kind = Kind::kKey;
  entry.name = name;
  entry.value = value;
  return entry;
}

std::optional<IniDocument::Line> IniDocument::FindSection(std::string_view section) const {
  const std::string_view wanted = TrimBlanksAndTabs(section);
  Line line;
  for (std::size_t pos = 0; LineAt(pos, line); pos = line.next) {
    const Entry entry = Parse(line);
    if (entry.kind == Kind::kSection && SameName(entry.name, wanted)) return line;
  }
  return std::nullopt;
}

std::optional<IniDocument::Line> IniDocument::FindKey(const Line& header, std::string_view key,
                                                      std::size_t* insertAt) const {
  const std::string_view wanted = TrimBlanksAndTabs(key);
  std::size_t afterLastText = header.next;
  Line line;
  for (std::size_t pos = header.next; LineAt(pos, line); pos = line.next) {
    const Entry entry = Parse(line);
    if (entry.kind == Kind::kSection) break;
    if (entry.kind == Kind::kKey && SameName(entry.name, wanted)) return line;
    const std::string_view text(bytes_.data() + line.begin, line.end - line.begin);
    if (!TrimBlanksAndTabs(text).empty()) afterLastText = line.next;
  }
  if (insertAt != nullptr) *insertAt = afterLastText;
  return std::nullopt;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
  const std::optional<Line> header = FindSection(section);
  if (!header) return std::nullopt;
  const std::optional<Line> at = FindKey(*header, key);
  if (!at) return std::nullopt;
  return Parse(*at).value;
}

void IniDocument::Insert(std::size_t at, std::string_view lineBytes) {
  std::string inserted(lineBytes);
  inserted += "\r\n";
  // The line before a new one must end, or the two would run together; only the file's last
  // line can be without an end.
  if (at > 0 && at == bytes_.size() && bytes_.back() != '\n' && bytes_.back() != '\r') {
    inserted.insert(0, "\r\n");
  }
  bytes_.insert(at, inserted);
}

bool IniDocument::SetValue(std::string_view section, std::string_view key, std::string_view value,
                           IniBlanks blanks) {
  const std::string_view sectionName = TrimBlanksAndTabs(section);
  const std::string_view keyName = TrimBlanksAndTabs(key);
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
  // Reading drops blanks around a value and a pair of quotes around it. A value whose blanks must
  // read back (a path typed with one) or that stands in quotes is stored in quotes of its own, so
  // that it reads back as it was given.
  const bool quoted = valueBytes.size() >= 2 &&
                      (valueBytes.front() == '"' || valueBytes.front() == '\'') &&
                      valueBytes.back() == valueBytes.front();
  const bool blanksLost = TrimBlanksAndTabs(valueBytes).size() != valueBytes.size();
  if ((blanks == IniBlanks::kKept && blanksLost) || quoted) {
    valueBytes = '"' + valueBytes + '"';
  }

  // A name that does not read back from its own line would be written anew with every write: a
  // character CP932 cannot hold, or a last byte that pairs with the "]" after it.
  std::string headerLine = "[";
  headerLine.append(sectionName).append("]");
  const std::string headerBytes = platform::EncodeCp932(headerLine);
  const Entry headerEntry = Parse(headerBytes);
  const std::string keyLine = platform::EncodeCp932(keyName) + "=" + valueBytes;
  const Entry keyEntry = Parse(keyLine);
  if (headerEntry.kind != Kind::kSection || !SameName(headerEntry.name, sectionName) ||
      keyEntry.kind != Kind::kKey || !SameName(keyEntry.name, keyName)) {
    return false;
  }

  std::optional<Line> header = FindSection(sectionName);
  if (!header) {
    Insert(bytes_.size(), headerBytes);
    header.emplace();
    LineAt(bytes_.size() - headerBytes.size() - 2, *header);
  }
  std::size_t insertAt = 0;
  if (const std::optional<Line> at = FindKey(*header, keyName, &insertAt)) {
    // Keep the line's own spelling of the key and the blanks around it; '=' is never the second
    // byte of a CP932 character, so the first '=' byte is the separator.
    const std::size_t equals = bytes_.find('=', at->begin);
    bytes_.replace(equals + 1, at->end - equals - 1, valueBytes);
    return true;
  }
  // After the section's last line that is not blank, so the blank lines that part it from the
  // next section stay where they are.
  Insert(insertAt, keyLine);
  return true;
}

std::string IniDocument::Bytes() const {
  return bytes_;
}

std::optional<std::string> ReadIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key) {
  const std::optional<std::string> bytes = platform::ReadFileBytes(file);
  if (!bytes) return std::nullopt;
  return IniDocument(*bytes).Value(section, key);
}

bool WriteIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value, IniBlanks blanks) {
  const IniSetting setting{key, value};
  return WriteIniValues(file, section, std::span(&setting, 1), blanks);
}

bool WriteIniValues(const std::filesystem::path& file, std::string_view section,
                    std::span<const IniSetting> settings, IniBlanks blanks) {
  std::string old;
  bool existed = false;
  std::error_code error;
  const std::filesystem::file_type type = std::filesystem::status(file, error).type();
  if (type != std::filesystem::file_type::not_found) {
    // Something that is there but cannot be read is not ours to overwrite.
    if (type != std::filesystem::file_type::regular) return false;
    std::optional<std::string> bytes = platform::ReadFileBytes(file);
    if (!bytes) return false;
    old = std::move(*bytes);
    existed = true;
  }
  IniDocument document(old);
  for (const IniSetting& setting : settings) {
    if (!document.SetValue(section, setting.key, setting.value, blanks)) return false;
  }
  std::string updated = document.Bytes();
  if (existed && updated == old) return true;
  return platform::ReplaceFile(file, updated);
}

}  // namespace sfxtal::app
