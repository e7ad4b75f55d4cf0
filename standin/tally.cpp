#include "standin/tally.h"

#include "importer/import_texts.h"
#include "platform/field_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::standin {
namespace {

// The results file reader cannot tell a quote inside a field from the field's own quotes, and a
// line break would split the record's line.
void AppendQuoted(std::string& out, std::string_view field) {
  platform::AppendQuotedField(out, field);
}

}  // namespace

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
  platform::FieldSplitter splitter(lineBytes);
  while (count < std::size(fields) && splitter.Next(fields[count])) ++count;
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
                                (fields[3] == importer::kNotYetMarkCp932 ? 0 : Tally::kOtherMark));
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
    // An import writes whole lines only; a last one without its end is what a run stopped dead
    // in the middle of a write left, and counts for nothing.
    if (!reader.LineEnded()) break;
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
