#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "platform/path_text.h"
#include "platform/text_file.h"

struct lxw_workbook;

namespace sfxtal::standin {

/// A workbook written with libxlsxwriter under a temporary name beside its target and renamed
/// over the target only when it is whole, so that a failure leaves the old workbook as it was.
class WorkbookFile {
 public:
  explicit WorkbookFile(std::filesystem::path target) : target_(target), file_(target) {}
  explicit WorkbookFile(const platform::NarrowText auto&) = delete;
  WorkbookFile(const WorkbookFile&) = delete;
  WorkbookFile& operator=(const WorkbookFile&) = delete;

  /// Writes the workbook that `fill` fills into the temporary file; false when the file cannot
  /// be made, `fill` fails or the workbook cannot be written out. In constant-memory mode
  /// libxlsxwriter writes each row as the next one starts, so `fill` must go row by row. What
  /// libxlsxwriter prints about a failure (in English, naming the temporary file) is kept from
  /// the operator, who hears of it in the program's own words with the target's name.
  bool Build(const std::function<bool(lxw_workbook*)>& fill, bool constantMemory);
  /// Renames the built workbook over the target; false when that failed.
  bool Commit() { return file_.Commit(true); }
  /// The built workbook, for committing it together with other files.
  platform::SiblingFile& File() { return file_; }
  const std::filesystem::path& Target() const { return target_; }

 private:
  std::filesystem::path target_;
  platform::SiblingFile file_;
};

/// A cell text that the workbook can hold: no more than the 32,767 bytes a cell takes (cut on a
/// character boundary).
std::string_view CellText(std::string_view utf8);

}  // namespace sfxtal::standin
