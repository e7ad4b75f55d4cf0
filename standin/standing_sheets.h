#pragma once

#include "standin/results_changes.h"
#include "standin/tally.h"

struct lxw_workbook;

namespace sfxtal::standin {

// The sheets of the results workbook after "実績" and "集計", each with a frozen heading row
// repeated on every printed A4 page and its dates as date cells (yyyy/mm/dd). Each is written row
// by row, as the workbook's constant-memory mode wants; false when libxlsxwriter refused something.

/// "QSL待ち": every suffix worked but not confirmed (a base call and the mark "未") with its base
/// call and date, filtered, by date and then by suffix: the list to ask for cards from. Dates that
/// name no day follow the others, by suffix.
bool FillQslWaitingSheet(lxw_workbook* workbook, const Tally& tally);

/// "推移": one row per year from the first to the last year of the dates in the results, each with
/// the suffixes worked and confirmed with a date up to that year's end, and a line chart of both
/// against all 18,278 suffixes. A date that names no day counts in no year; without any day the
/// sheet says so instead.
bool FillProgressSheet(lxw_workbook* workbook, const Tally& tally);

/// "新規": the suffixes the tally newly confirmed ("新規確認") or newly worked without a card
/// ("新規交信"), in suffix order, filtered; or, without an earlier results file to compare with,
/// a sentence that says so.
bool FillChangesSheet(lxw_workbook* workbook, const Tally& tally, const ResultChanges& changes);

}  // namespace sfxtal::standin
