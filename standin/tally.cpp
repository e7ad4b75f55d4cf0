#include "standin/tally.h"

#include "platform/field_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::standin {
namespace {

constexpr int kOneLetter = 26;
constexpr int kTwoLetters = 26 + 26 * 26;

bool IsCapital(char c) {
  return c >= 'A' && c <= 'Z';
}

std::string_view TrimmedBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The results file reader cannot tell a quote inside a field from the field's own quotes, and a
// line break would split the record's line.
void AppendQuoted(std::string& out, std::string_view field) {
  platform::AppendQuotedField(out, field);
}

}  // namespace

int SuffixIndex(std::string_view suffix) {
  // The lookup box also takes lower case; a work-file suffix must be capitals.
  for (char c : suffix) {
    if (!IsCapital(c)) return -1;
  }
  return results::SuffixRow(suffix).value_or(-1);
}

int SuffixLength(int index) {
  if (index < kOneLetter) return 1;
  if (index < kTwoLetters) return 2;
  return 3;
}

std::vector<std::string> SplitFields(std::string_view line, std::size_t most) {
  std::vector<std::string> fields;
  std::size_t pos = 0;
  const std::size_t n = line.size();
  for (;;) {
    while (pos < n && line[pos] == ' ') ++pos;
    if (pos < n && line[pos] == '"') {
      const std::size_t start = pos + 1;
      std::size_t close = std::string_view::npos;
      std::size_t after = n;
      for (std::size_t j = start; j < n; ++j) {
        if (line[j] != '"') continue;
        std::size_t k = j + 1;
        while (k < n && line[k] == ' ') ++k;
        if (k == n || line[k] == ',') {
          close = j;
          after = k;
          break;
        }
      }
      if (close == std::string_view::npos) {
        // No closing quote: the rest of the line is the field.
        fields.emplace_back(line.substr(start));
        return fields;
      }
      fields.emplace_back(line.substr(start, close - start));
      pos = after;
    } else {
      std::size_t end = line.find(',', pos);
      if (end == std::string_view::npos) end = n;
      fields.emplace_back(TrimmedBlanks(line.substr(pos, end - pos)));
      pos = end;
    }
    if (pos >= n || fields.size() >= most) return fields;
    ++pos;  // the comma
  }
}

TallyCounts Tally::Counts(int letters) const {
  TallyCounts counts;
  for (int index = 0; index < kSuffixCount; ++index) {
    if (letters != 0 && SuffixLength(index) != letters) continue;
    const TallyRow& row = rows[static_cast<std::size_t>(index)];
    ++counts.outOf;
    if (row.worked) ++counts.worked;
    if (row.Confirmed()) ++counts.confirmed;
  }
  return counts;
}

void AddWorkLine(Tally& tally, std::string_view lineBytes) {
  ++tally.lines;
  // A fifth field already makes the line a bad one: a line of a million commas costs five.
  std::vector<std::string> fields = SplitFields(lineBytes, 5);
  if (fields.size() != 4) {
    ++tally.badFieldCountLines;
    return;
  }
  const int index = SuffixIndex(fields[1]);
  if (index < 0) {
    ++tally.badSuffixLines;
    return;
  }
  TallyRow& row = tally.rows[static_cast<std::size_t>(index)];
  if (row.worked && !(row.mark == kNotYetMarkBytes && fields[3] != kNotYetMarkBytes)) return;
  row.worked = true;
  row.baseCall = std::move(fields[0]);
  row.date = std::move(fields[2]);
  row.mark = std::move(fields[3]);
}

std::optional<Tally> TallyWorkFile(const std::filesystem::path& workFile) {
  platform::TextFileReader reader;
  if (!reader.Open(workFile)) return std::nullopt;
  Tally tally;
  std::string line;
  while (reader.ReadLineBytes(line, kLongestWorkLine)) {
    if (reader.LineCut()) {
      ++tally.lines;
      ++tally.badFieldCountLines;
    } else {
      AddWorkLine(tally, line);
    }
  }
  if (reader.Failed()) return std::nullopt;
  return tally;
}

std::string ResultsFileBytes(const Tally& tally) {
  std::string text;
  text.reserve(static_cast<std::size_t>(kSuffixCount) * 40);
  for (int index = 0; index < kSuffixCount; ++index) {
    const TallyRow& row = tally.rows[static_cast<std::size_t>(index)];
    AppendQuoted(text, results::SuffixOfRow(index));
    text += ',';
    AppendQuoted(text, row.baseCall);
    text += ',';
    AppendQuoted(text, row.date);
    text += ',';
    AppendQuoted(text, row.mark);
    text += "\r\n";
  }
  return text;
}

}  // namespace sfxtal::standin
