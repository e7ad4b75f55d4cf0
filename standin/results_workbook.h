#pragma once

#include <filesystem>

#include "platform/path_text.h"
#include "standin/results_changes.h"
#include "standin/tally.h"
#include "standin/workbook_file.h"

struct lxw_workbook;

namespace sfxtal::standin {

/// Fills the results workbook, row by row: sheet "実績" with a frozen, filtered heading row and
/// one row per suffix (suffix, base call, date, mark; base call and date in red where the mark is
/// "未"; a date that names a day as a date cell shown yyyy/mm/dd), sheet "集計" with label and
/// number rows, then the sheets "QSL待ち", "推移" and "新規" (standing_sheets.h), `changes` being
/// what the tally changed against the results file it replaces. Every sheet prints on A4. False
/// when libxlsxwriter refused something.
bool FillResultsWorkbook(lxw_workbook* workbook, const Tally& tally, const ResultChanges& changes);

/// Writes the results workbook to `path` through a temporary file and a rename; false when it
/// could not be written (the old workbook is then untouched).
bool WriteResultsWorkbook(const std::filesystem::path& path, const Tally& tally,
                          const ResultChanges& changes);
bool WriteResultsWorkbook(const platform::NarrowText auto&, const Tally&,
                          const ResultChanges&) = delete;
/// The same up to the rename: the workbook built in `file`, whose Commit (alone or together with
/// other files) then puts it in place.
bool BuildResultsWorkbook(WorkbookFile& file, const Tally& tally, const ResultChanges& changes);

}  // namespace sfxtal::standin
