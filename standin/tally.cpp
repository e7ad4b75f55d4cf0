#include "standin/tally.h"

#include "platform/field_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::standin {
namespace {

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

// Hands each field of a line to `take` in turn, as views into the line, until it returns false.
template <typename Take>
void VisitFields(std::string_view line, Take&& take) {
  std::size_t pos = 0;
  const std::size_t n = line.size();
  for (;;) {
    while (pos < n && line[pos] == ' ') ++pos;
    if (pos < n && line[pos] == '"') {
      const std::size_t start = pos + 1;
      std::size_t close = std::string_view::npos;
      std::size_t after = n;
      // A plain loop: fields are a few bytes long, too short to pay for a library search.
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
        take(line.substr(start));
        return;
      }
      if (!take(line.substr(start, close - start))) return;
      pos = after;
    } else {
      std::size_t end = line.find(',', pos);
      if (end == std::string_view::npos) end = n;
      if (!take(TrimmedBlanks(line.substr(pos, end - pos)))) return;
      pos = end;
    }
    if (pos >= n) return;
    ++pos;  // the comma
  }
}

}  // namespace

std::vector<std::string> SplitFields(std::string_view line, std::size_t most) {
  std::vector<std::string> fields;
  if (most == 0) return fields;
  VisitFields(line, [&fields, most](std::string_view field) {
    fields.emplace_back(field);
    return fields.size() < most;
  });
  return fields;
}

TallyCounts Tally::Counts(int letters) const {
  TallyCounts counts;
  for (int index = 0; index < kSuffixCount; ++index) {
    if (letters != 0 && results::SuffixLetters(index) != letters) continue;
    const TallyRow& row = rows[static_cast<std::size_t>(index)];
    ++counts.outOf;
    if (row.worked) ++counts.worked;
    if (row.Confirmed()) ++counts.confirmed;
  }
  return counts;
}

void AddWorkLine(Tally& tally, std::string_view lineBytes) {
  ++tally.lines;
  // Views into the line, not strings: a million lines go through here and few of them win a row.
  // A fifth field already makes the line a bad one: a line of a million commas costs five.
  std::string_view fields[5];
  std::size_t count = 0;
  VisitFields(lineBytes, [&](std::string_view field) {
    fields[count++] = field;
    return count < std::size(fields);
  });
  if (count != 4) {
    ++tally.badFieldCountLines;
    return;
  }
  const int index = results::CapitalSuffixRow(fields[1]);
  if (index < 0) {
    ++tally.badSuffixLines;
    return;
  }
  // A line takes the row only from a line that stands lower, so among equals the first in the
  // file keeps it.
  std::uint8_t& standing = tally.standing[static_cast<std::size_t>(index)];
  const auto rank =
      static_cast<std::uint8_t>(Tally::kWorked + (fields[0].empty() ? 0 : Tally::kBaseCall) +
                                (fields[3] == platform::kNotYetMarkCp932 ? 0 : Tally::kOtherMark));
  if (rank <= standing) return;
  standing = rank;
  TallyRow& row = tally.rows[static_cast<std::size_t>(index)];
  row.worked = true;
  row.baseCall.assign(fields[0]);
  row.date.assign(fields[2]);
  row.mark.assign(fields[3]);
}

std::optional<Tally> TallyWorkFile(const std::filesystem::path& workFile) {
  platform::TextFileReader reader;
  if (!reader.Open(workFile)) return std::nullopt;
  Tally tally;
  // A line longer than any work-file line is read past, not gathered, and counted as a bad one.
  std::string_view line;
  while (reader.ReadLineView(line, kLongestWorkLine)) {
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
