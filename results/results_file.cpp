#include "results/results_file.h"

#include <cstdio>

#include "platform/file_exists.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::results {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Most fields are plain ASCII; the mark "未" is the one that is not, and it comes often.
std::string DecodeField(std::string_view bytes) {
  if (bytes == "\x96\xa2") return std::string(kUnconfirmedMark);
  return platform::DecodeCp932(bytes);
}

}  // namespace

bool IsUnconfirmed(const ResultRecord& record) {
  return record.Mark == kUnconfirmedMark;
}

bool IsConfirmed(const ResultRecord& record) {
  return !record.Detail1.empty() && !IsUnconfirmed(record);
}

std::vector<std::string> SplitResultsLine(std::string_view line) {
  // Commas, quotes and blanks are all below 0x40, so none of them can be the second byte of a
  // CP932 character: the line splits safely as bytes.
  std::vector<std::string> fields;
  std::size_t pos = 0;
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  if (pos == line.size()) return fields;
  for (;;) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    std::string_view field;
    if (pos < line.size() && line[pos] == '"') {
      // A quote left open runs to the end of the line, so a stray quote spoils one line only.
      const std::size_t close = line.find('"', pos + 1);
      field = line.substr(pos + 1, close == line.npos ? line.npos : close - pos - 1);
      pos = close == line.npos ? line.size() : line.find(',', close + 1);
    } else {
      const std::size_t comma = line.find(',', pos);
      field = line.substr(pos, comma == line.npos ? line.npos : comma - pos);
      while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
      pos = comma;
    }
    fields.push_back(DecodeField(field));
    if (pos == line.npos || pos >= line.size()) break;
    ++pos;  // past the comma; a comma at the end of the line still ends a last, empty field
  }
  return fields;
}

std::optional<ResultsRead> ReadResultsFile(const std::filesystem::path& programFolder,
                                           platform::UserInterface& ui, ResultsTable& table,
                                           const ResultRowCallback& onRow) {
  const std::filesystem::path path = programFolder / kResultsFileName;
  platform::TextFileReader file;
  if (!platform::FileExists(path) || !file.Open(path)) {
    ui.ShowMessage(kResultsMissingMessage);
    return std::nullopt;
  }

  ui.SetBusyPointer(true);
  ResultsRead read;
  std::vector<std::string> fields;
  std::size_t next = 0;  // the first field in `fields` not yet taken
  std::string line;
  bool atEnd = false;
  const auto take = [&]() -> std::string {
    return next < fields.size() ? std::move(fields[next++]) : std::string();
  };

  while (read.recordCount < kSuffixCount) {
    // Gather the next record's fields, across lines; blank lines give none.
    while (fields.size() - next < 4 && !atEnd) {
      // Drop the fields already taken, so the list never holds more than one line's worth.
      fields.erase(fields.begin(), fields.begin() + static_cast<std::ptrdiff_t>(next));
      next = 0;
      // A read error counts as the end, so a damaged file reads as far as it can.
      if (!file.ReadLineBytes(line)) {
        atEnd = true;
        break;
      }
      for (std::string& field : SplitResultsLine(line)) fields.push_back(std::move(field));
    }
    if (next == fields.size()) break;

    ui.Yield();
    if (ui.StopRequested()) {
      read.stopped = true;
      break;
    }
    ResultRecord record;
    record.Suffix = take();
    record.Detail1 = take();
    record.Detail2 = take();
    record.Mark = take();

    if (IsConfirmed(record)) ++read.ConfirmedCount;
    ResultRow& row = table.Row(read.recordCount);
    // Set from this record either way: a suffix confirmed since the last read turns black.
    row.unconfirmed = IsUnconfirmed(record);
    row.suffix = std::move(record.Suffix);
    row.detail1 = std::move(record.Detail1);
    row.detail2 = std::move(record.Detail2);
    if (onRow) onRow(read.recordCount, row);
    ++read.recordCount;
  }
  file.Close();
  ui.SetBusyPointer(false);
  return read;
}

}  // namespace sfxtal::results
