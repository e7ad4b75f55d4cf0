#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/text_file.h"

struct lxw_workbook;

namespace sfxtal::standin {

/// A workbook written with libxlsxwriter under a temporary name beside its target and renamed
/// over the target only when it is whole, so that a failure leaves the old workbook as it was.
class WorkbookFile {
 public:
  explicit WorkbookFile(std::filesystem::path target);
  /// Removes the temporary file unless it was committed.
  ~WorkbookFile();
  WorkbookFile(const WorkbookFile&) = delete;
  WorkbookFile& operator=(const WorkbookFile&) = delete;

  /// The new workbook to fill, or nullptr when its temporary file cannot be created.
  lxw_workbook* Create();
  /// Writes the workbook out to the temporary file; false when that failed. Commit does it when
  /// it has not been done.
  bool WriteOut();
  /// Writes the workbook out and renames it over the target; false when any of it failed.
  bool Commit();

  const std::filesystem::path& Target() const { return target_; }

 private:
  std::filesystem::path target_;
  platform::SiblingFile file_;
  lxw_workbook* workbook_ = nullptr;
  bool writtenOut_ = false;
};

/// A cell text that the workbook can hold: no more than the 32,767 bytes a cell takes (cut on a
/// character boundary).
std::string_view CellText(std::string_view utf8);

}  // namespace sfxtal::standin
