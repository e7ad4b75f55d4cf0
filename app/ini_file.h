#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/path_text.h"

namespace sfxtal::app {

/// Whether a value's blanks at its ends must read back: kept values that begin or end with a
/// blank are written in quotes; dropped ones are written bare, and read without them.
enum class IniBlanks { kKept, kDropped };

/// An INI file as the Windows private-profile functions see it, held as the file's CP932 bytes.
/// Section and key names match regardless of ASCII letter case; blanks around names and values
/// are dropped on reading; a value in matching double or single quotes reads without them; the
/// first of two equal keys (and of two equal sections) wins. Setting a value rewrites only that
/// key's line: every other line keeps its bytes and its line end.
class IniDocument {
 public:
  IniDocument() = default;
  /// The file's bytes, CP932 with any line ends.
  explicit IniDocument(std::string bytes);

  /// The value (UTF-8) of the key in the section, or nothing when the section or key is missing.
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  /// Stores the value (UTF-8) under the key: in place when the key is there, else at the end of
  /// its section, else in a new section at the end. A value is one line: it is cut at its first
  /// line break. False (and nothing changed) for a section or key name that a line could not hold.
  bool SetValue(std::string_view section, std::string_view key, std::string_view value,
                IniBlanks blanks = IniBlanks::kKept);

  /// The whole file as CP932 bytes.
  std::string Bytes() const;

 private:
  enum class Kind { kOther, kSection, kKey };
  // One line of the file: its text at [begin, end), its line end at [end, next).
  struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t next = 0;
  };
  struct Entry {
    Kind kind = Kind::kOther;
    std::string name;   // section or key name, UTF-8, blanks dropped
    std::string value;  // key value, UTF-8, blanks and quotes dropped
  };

  // The line that starts at `pos`; false at the end of the file.
  bool LineAt(std::size_t pos, Line& line) const;
  static Entry Parse(std::string_view lineBytes);
  Entry Parse(const Line& line) const;
  // The header line of the first section with this name.
  std::optional<Line> FindSection(std::string_view section) const;
  // The first key line with this name in the section whose header is given, and in any case
  // where a new key of the section goes: after its last line that is not blank.
  std::optional<Line> FindKey(const Line& header, std::string_view key,
                              std::size_t* insertAt = nullptr) const;
  void Insert(std::size_t at, std::string_view lineBytes);

  // The file's bytes: every line is found and parsed when it is looked at, so the document
  // costs the file's size and no more, however many lines it has.
  std::string bytes_;
};

/// The value of a key in an INI file, or nothing when the file, the section or the key is
/// missing (or the file cannot be read).
std::optional<std::string> ReadIniValue(const std::filesystem::path& file, std::string_view section,
                                        std::string_view key);
std::optional<std::string> ReadIniValue(const platform::NarrowText auto&, std::string_view,
                                        std::string_view) = delete;

/// Stores a key's value in an INI file, creating the file and the section as needed. The file is
/// replaced whole through a temporary file, so a failure leaves the old file as it was. A file
/// that is there but cannot be read is never replaced. True when the value is on disk.
bool WriteIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value,
                   IniBlanks blanks = IniBlanks::kKept);
bool WriteIniValue(const platform::NarrowText auto&, std::string_view, std::string_view,
                   std::string_view, IniBlanks = IniBlanks::kKept) = delete;

/// A key and the value (UTF-8) to store under it.
struct IniSetting {
  std::string_view key;
  std::string_view value;
};

/// Stores several keys of one section as WriteIniValue stores one, in a single replacement of
/// the file: all of them are on disk (true), or the old file stays as it was.
bool WriteIniValues(const std::filesystem::path& file, std::string_view section,
                    std::span<const IniSetting> settings, IniBlanks blanks = IniBlanks::kKept);
bool WriteIniValues(const platform::NarrowText auto&, std::string_view, std::span<const IniSetting>,
                    IniBlanks = IniBlanks::kKept) = delete;

}  // namespace sfxtal::app
