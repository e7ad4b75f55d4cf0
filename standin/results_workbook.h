#pragma once

#include <filesystem>

#include "standin/tally.h"
#include "standin/workbook_file.h"

struct lxw_workbook;

namespace sfxtal::standin {

inline constexpr const char* kResultsBookFile = "sfxtal.xlsx";

/// Fills the results workbook: sheet "実績" with a heading row and one row per suffix (suffix,
/// base call, date, mark; base call and date in red where the mark is "未"), and sheet "集計" with
/// label and number rows. False when libxlsxwriter refused something.
bool FillResultsWorkbook(lxw_workbook* workbook, const Tally& tally);

/// Writes the results workbook to `path` through a temporary file and a rename; false when it
/// could not be written (the old workbook is then untouched).
bool WriteResultsWorkbook(const std::filesystem::path& path, const Tally& tally);
/// The same up to the rename: the workbook filled and written out in `file`, whose Commit then
/// puts it in place.
bool BuildResultsWorkbook(WorkbookFile& file, const Tally& tally);

}  // namespace sfxtal::standin
