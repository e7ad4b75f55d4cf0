#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/field_text.h"
#include "platform/path_text.h"
#include "platform/text_file.h"
#include "platform/user_interface.h"
#include "results/suffix_row.h"

namespace sfxtal::results {

/// One record of the results file: four fields, UTF-8.
struct ResultRecord {
  std::string Suffix;
  std::string Detail1;
  std::string Detail2;
  std::string Mark;
};

/// True when the record's mark is exactly "未".
bool IsUnconfirmed(const ResultRecord& record);
/// True when the record counts towards the confirmed total: worked (a Detail1) and not "未".
bool IsConfirmed(const ResultRecord& record);

/// One row of the results table as the grid shows it.
struct ResultRow {
  std::string suffix;        // column 0
  std::string detail1;       // column 1
  std::string detail2;       // column 2
  bool unconfirmed = false;  // columns 1 and 2 in red

  bool operator==(const ResultRow&) const = default;
};

/// The 18,278 rows, one per suffix in suffix order, blank until a read fills them. A read
/// replaces the rows it reaches and leaves the others as they were.
class ResultsTable {
 public:
  ResultsTable() : rows_(kSuffixCount) {}
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const ResultRow& Row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
  ResultRow& Row(int row) { return rows_.at(static_cast<std::size_t>(row)); }

 private:
  std::vector<ResultRow> rows_;
};

/// What one read of the results file came to.
struct ResultsRead {
  std::int16_t ConfirmedCount = 0;
  int recordCount = 0;   // records read, so rows 0 .. recordCount - 1 were filled
  bool stopped = false;  // the operator asked to stop before the file was read through
};

/// Called for each record as soon as its row is filled, with the row number.
using ResultRowCallback = std::function<void(int row, const ResultRow& shown)>;

/// The fields (UTF-8) of one line of the results file, cut as platform::FieldSyntax::kQuoted
/// says: the same fields the tally takes from a work-file line.
std::vector<std::string> SplitResultsLine(std::string_view lineBytes);

/// The most bytes of one line that a read looks at: far beyond any line the tally writes (a base
/// call, a date and a mark of a few dozen bytes), and as much as the tally takes of a work-file
/// line. The rest of a longer line is read past, never gathered.
inline constexpr std::size_t kLongestResultsLine = 64 * 1024;

/// Reads the results file's records one at a time, from its bytes or from the open file: four
/// fields to a record, a comma or a line end separating two fields, blank lines holding none;
/// each line's fields as SplitResultsLine cuts them, of its first kLongestResultsLine bytes. Only
/// the line in hand is held, so memory stays flat however long the file or a line is.
class ResultsRecordReader {
 public:
  /// Over bytes that outlive the reader.
  explicit ResultsRecordReader(std::string_view bytes) : bytes_(bytes) {}
  /// Over an open file, read from where it stands.
  explicit ResultsRecordReader(platform::TextFileReader& file) : file_(&file) {}

  /// The next record (UTF-8); false at the end. A last record cut short takes the fields that
  /// are there, the others empty.
  bool Next(ResultRecord& record);
  /// The next field's CP932 bytes, valid until the next call; false at the end.
  bool NextFieldBytes(std::string_view& bytes);
  /// The line (from 1) on which the last field read stands.
  int FieldLine() const { return line_; }
  /// True when a comma ended the last field read, so that another field follows on its line.
  bool MoreOnLine() const { return fields_.MoreOnLine(); }
  /// The bytes of the line the last field read stands on, as far as they are read (valid until
  /// the next call).
  std::string_view LineBytes() const { return lineBytes_; }

 private:
  bool NextLine();

  std::string_view bytes_;
  platform::TextFileReader* file_ = nullptr;
  platform::FieldSplitter fields_{{}};
  std::string_view lineBytes_;
  int line_ = 0;
};

/// Reads "実績.txt" in the program folder into the table, four fields to a record (a line break
/// separates fields like a comma), at most 18,278 records, yielding to the user interface before
/// each one and stopping early when the operator asks; the busy pointer shows meanwhile. A last
/// record cut short takes the fields that are there. When the file is missing, shows
/// "実績ファイルが見当たりません" and returns nothing, the table untouched.
std::optional<ResultsRead> ReadResultsFile(const std::filesystem::path& programFolder,
                                           platform::UserInterface& ui, ResultsTable& table,
                                           const ResultRowCallback& onRow = {});
std::optional<ResultsRead> ReadResultsFile(const platform::NarrowText auto&,
                                           platform::UserInterface&, ResultsTable&,
                                           const ResultRowCallback& = {}) = delete;

}  // namespace sfxtal::results
