#include "platform/field_text.h"

#include <array>

#include "platform/ascii_text.h"

namespace sfxtal::platform {
namespace {

// Every byte with its stand-in, as a table: looked up without a branch, for every byte of the
// fields of every line the import writes.
constexpr std::array<char, 256> kWithStandIn = [] {
  std::array<char, 256> table{};
  for (std::size_t b = 0; b < table.size(); ++b) table[b] = static_cast<char>(b);
  table['\r'] = table['\n'] = kBreakStandIn;
  table['"'] = kQuoteStandIn;
  return table;
}();

char WithStandIn(char c) {
  return kWithStandIn[static_cast<unsigned char>(c)];
}

}  // namespace

std::string WithFieldStandIns(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = WithStandIn(c);
  return out;
}

char* PutQuotedField(char* out, std::string_view text) {
  *out++ = '"';
  for (const char c : text) *out++ = WithStandIn(c);
  *out++ = '"';
  return out;
}

void AppendQuotedField(std::string& out, std::string_view text) {
  const std::size_t from = out.size();
  out.resize(from + QuotedFieldSize(text));
  PutQuotedField(out.data() + from, text);
}

bool FieldSplitter::Next(std::string_view& field) {
  if (done_) return false;
  const std::size_t n = line_.size();
  std::size_t from = pos_;
  if (syntax_ == FieldSyntax::kQuoted) {
    while (from < n && (line_[from] == ' ' || line_[from] == '\t')) ++from;
  }
  if (from >= n && !afterComma_) {
    // Nothing but blanks after the last field (or on the whole line).
    done_ = true;
    return false;
  }
  // Plain loops rather than the library's searches: fields are a few bytes long, and the tally
  // cuts four of them from every line of the work file.
  const auto find = [this, n](char c, std::size_t at) {
    while (at < n && line_[at] != c) ++at;
    return at == n ? std::string_view::npos : at;
  };
  std::size_t comma;
  if (syntax_ == FieldSyntax::kQuoted && from < n && line_[from] == '"') {
    const std::size_t close = find('"', from + 1);
    if (close == std::string_view::npos) {
      field = line_.substr(from + 1);
      comma = std::string_view::npos;
    } else {
      field = line_.substr(from + 1, close - from - 1);
      comma = find(',', close + 1);
    }
  } else {
    comma = find(',', from);
    field =
        line_.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
    if (syntax_ == FieldSyntax::kQuoted) field = TrimBlanksAndTabs(field);
  }
  afterComma_ = comma != std::string_view::npos;
  done_ = !afterComma_;
  pos_ = afterComma_ ? comma + 1 : n;
  return true;
}

bool NextLine(std::string_view& text, std::string_view& line) {
  if (text.empty()) return false;
  const std::size_t end = text.find_first_of("\r\n");
  line = text.substr(0, end);
  if (end == std::string_view::npos) {
    text = {};
  } else {
    text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return true;
}

}  // namespace sfxtal::platform
