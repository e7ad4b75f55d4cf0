#include "results/results_file.h"

#include <cstdio>

#include "importer/import_texts.h"
#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "results/results_texts.h"

namespace sfxtal::results {
bool IsUnconfirmed(const ResultRecord& record) {
  return record.Mark == importer::kNotYetMark;
}

bool IsConfirmed(const ResultRecord& record) {
  return !record.Detail1.empty() && !IsUnconfirmed(record);
}

std::vector<std::string> SplitResultsLine(std::string_view line) {
  std::vector<std::string> fields;
  platform::FieldSplitter splitter(line);
  std::string_view field;
  while (splitter.Next(field)) fields.push_back(platform::DecodeCp932(field));
  return fields;
}

bool ResultsRecordReader::NextLine() {
  std::string_view line;
  if (file_ != nullptr ? !file_->ReadLineView(line, kLongestResultsLine)
                       : !platform::NextLine(bytes_, line)) {
    return false;
  }
  ++line_;
  lineBytes_ = line;
  fields_ = platform::FieldSplitter(line);
  return true;
}

bool ResultsRecordReader::NextFieldBytes(std::string_view& bytes) {
  // A line break separates two fields as a comma does; blank lines hold none.
  while (!fields_.Next(bytes)) {
    if (!NextLine()) return false;
  }
  return true;
}

bool ResultsRecordReader::Next(ResultRecord& record) {
  std::string* parts[] = {&record.Suffix, &record.Detail1, &record.Detail2, &record.Mark};
  int taken = 0;
  std::string_view field;
  for (std::string* part : parts) {
    if (!NextFieldBytes(field)) break;
    *part = platform::DecodeCp932(field);
    ++taken;
  }
  if (taken == 0) return false;
  for (int i = taken; i < 4; ++i) parts[i]->clear();
  return true;
}

std::optional<ResultsRead> ReadResultsFile(const std::filesystem::path& programFolder,
                                           platform::UserInterface& ui, ResultsTable& table,
                                           const ResultRowCallback& onRow) {
  const std::filesystem::path path =
      programFolder / platform::PathFromUtf8(results::kResultsFileName);
  platform::TextFileReader file;
  if (!platform::FileExists(path) || !file.Open(path)) {
    ui.ShowMessage(std::string(results::kResultsFileMissingMessage));
    return std::nullopt;
  }

  ui.SetBusyPointer(true);
  ResultsRead read;
  // A read error counts as the end, so a damaged file reads as far as it can. Nothing after the
  // 18,278th record is read at all.
  ResultsRecordReader reader(file);
  ResultRecord record;
  while (read.recordCount < kSuffixCount && reader.Next(record)) {
    ui.Yield();
    if (ui.StopRequested()) {
      read.stopped = true;
      break;
    }
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
