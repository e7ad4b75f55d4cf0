#include "results/results_file.h"

#include <cstdio>

#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::results {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

bool IsUnconfirmed(const ResultRecord& record) {
  return record.Mark == platform::kNotYetMark;
}

bool IsConfirmed(const ResultRecord& record) {
  return !record.Detail1.empty() && !IsUnconfirmed(record);
}

std::vector<std::string> SplitResultsLine(std::string_view line) {
  std::vector<std::string> fields;
  ResultsRecordReader reader(line);
  std::string bytes;
  while (reader.NextFieldBytes(bytes)) fields.push_back(platform::DecodeCp932(bytes));
  return fields;
}

int ResultsRecordReader::NextByte() {
  if (file_ != nullptr) return file_->ReadByte();
  return pos_ < bytes_.size() ? static_cast<unsigned char>(bytes_[pos_++]) : -1;
}

void ResultsRecordReader::CountLineEnd(int c) {
  if (c == '\r' || (c == '\n' && !afterCr_)) ++line_;
  afterCr_ = c == '\r';
}

bool ResultsRecordReader::NextFieldBytes(std::string& bytes) {
  // Byte by byte, so that neither a long line nor a long run of fields is ever held whole, and
  // what lies past kLongestResultsField of a field is read past. Commas, quotes, blanks and line
  // ends are all below 0x40, so none of them can be the second byte of a CP932 character: the
  // text splits safely as bytes.
  bytes.clear();
  const auto isLineEnd = [](int c) { return c == '\r' || c == '\n' || c == -1; };
  const auto keep = [&bytes](int c) {
    if (bytes.size() < kLongestResultsField) bytes += static_cast<char>(c);
  };
  int c;
  for (;;) {
    c = NextByte();
    fieldLine_ = line_;
    CountLineEnd(c);
    if (c == ',') {  // an empty field
      afterComma_ = true;
      return true;
    }
    if (isLineEnd(c)) {
      // A comma at the end of a line still ends a last, empty field; a blank line has none.
      if (afterComma_) {
        afterComma_ = false;
        return true;
      }
      if (c == -1) return false;
      continue;
    }
    if (!IsBlank(static_cast<char>(c))) break;
  }
  if (c == '"') {
    // A quote left open runs to the end of the line, so a stray quote spoils one line only.
    while (!isLineEnd(c = NextByte()) && c != '"') keep(c);
    // After the closing quote, anything up to the next comma is not part of the field.
    while (c == '"' || (!isLineEnd(c) && c != ',')) c = NextByte();
  } else {
    do {
      keep(c);
    } while (!isLineEnd(c = NextByte()) && c != ',');
    while (!bytes.empty() && IsBlank(bytes.back())) bytes.pop_back();
  }
  CountLineEnd(c);
  afterComma_ = c == ',';
  return true;
}

bool ResultsRecordReader::Next(ResultRecord& record) {
  std::string* parts[] = {&record.Suffix, &record.Detail1, &record.Detail2, &record.Mark};
  int taken = 0;
  for (std::string* part : parts) {
    if (!NextFieldBytes(field_)) break;
    *part = platform::DecodeCp932(field_);
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
      programFolder / platform::PathFromUtf8(platform::kResultsFileName);
  platform::TextFileReader file;
  if (!platform::FileExists(path) || !file.Open(path)) {
    ui.ShowMessage(std::string(platform::kResultsFileMissingMessage));
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
