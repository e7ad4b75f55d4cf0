#pragma once

#include <string>
#include <string_view>

namespace sfxtal::platform {

/// What stands in, inside a field of a line of fields, for a byte that would break the line: a
/// line break (CR or LF), which would split the line in two, and the answer history's comma,
/// which would start a field of its own.
inline constexpr char kBreakStandIn = '?';
/// What stands in for a double quote inside a quoted field, whose end it would otherwise mark: a
/// single quote, which reads back as itself.
inline constexpr char kQuoteStandIn = '\'';

/// The text as a quoted field may hold it: CR and LF become kBreakStandIn, a double quote
/// kQuoteStandIn. Works on CP932 bytes and UTF-8 alike: neither has these bytes inside a
/// character.
std::string WithFieldStandIns(std::string_view text);

/// Appends the text as one quoted field: a quote, WithFieldStandIns(text), a quote.
void AppendQuotedField(std::string& out, std::string_view text);
/// The same written at `out`, which has room for QuotedFieldSize(text) bytes: a line of fields
/// made in one pass into room made once. Returns the end of what was written.
char* PutQuotedField(char* out, std::string_view text);
inline std::size_t QuotedFieldSize(std::string_view text) {
  return text.size() + 2;
}

/// How a line of fields is cut.
enum class FieldSyntax {
  /// Commas separate fields; a field may stand in double quotes and then hold commas. A quoted
  /// field ends at the next quote, and what follows it up to the comma is dropped; a quote left
  /// open runs to the line's end. Blanks and tabs around an unquoted field are dropped. A line of
  /// nothing but blanks has no field; a comma at the end of a line ends a last, empty one.
  /// The work file and the results file are read so.
  kQuoted,
  /// Every comma separates two fields and nothing is taken off: the answer history's lines. An
  /// empty line has no field.
  kPlain,
};

/// Cuts one line of fields, first to last, as views into the line. Commas, quotes, blanks and
/// tabs are all below 0x40, so none of them can be the second byte of a CP932 character: a
/// line's CP932 bytes split safely, as does UTF-8 text.
class FieldSplitter {
 public:
  explicit FieldSplitter(std::string_view line, FieldSyntax syntax = FieldSyntax::kQuoted)
      : line_(line), syntax_(syntax) {}

  /// The next field; false when the line holds no more.
  bool Next(std::string_view& field);
  /// True when a comma ended the last field, so that another one follows on the line.
  bool MoreOnLine() const { return afterComma_; }

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
  FieldSyntax syntax_;
  bool afterComma_ = false;
  bool done_ = false;
};

/// Cuts the next line off `text`: a CR LF, an LF or a lone CR ends it, and a last line without
/// an end is still a line. False when `text` is empty.
bool NextLine(std::string_view& text, std::string_view& line);

}  // namespace sfxtal::platform
