#include "standin/standing_sheets.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/text_codec.h"
#include "standin/sheet_cells.h"
#include "standin/standin_texts.h"

namespace sfxtal::standin {
namespace {

const std::string kQslWaitingName(kQslWaitingSheetName);
const std::string kProgressName(kProgressSheetName);
const std::string kChangesName(kChangesSheetName);

lxw_format* DateFormat(lxw_workbook* workbook) {
  lxw_format* date = workbook_add_format(workbook);
  format_set_num_format(date, "yyyy/mm/dd");
  return date;
}

void SetListColumns(lxw_worksheet* sheet) {
  worksheet_set_column(sheet, 0, 0, 12, nullptr);
  worksheet_set_column(sheet, 1, 1, 16, nullptr);
  worksheet_set_column(sheet, 2, 2, 12, nullptr);
  worksheet_set_column(sheet, 3, 3, 12, nullptr);
}

// A list's filter over its heading and its rows (just the heading when it is empty).
bool FilterList(lxw_worksheet* sheet, std::size_t rows, lxw_col_t columns) {
  return worksheet_autofilter(sheet, 0, 0, static_cast<lxw_row_t>(rows), columns - 1) ==
         LXW_NO_ERROR;
}

// The suffix, base call and date of one row of the tally, from column 0 on.
bool WriteSuffixRow(lxw_worksheet* sheet, lxw_row_t sheetRow, const Tally& tally, int row,
                    lxw_format* date) {
  const TallyRow& qso = tally.rows[static_cast<std::size_t>(row)];
  return WriteText(sheet, sheetRow, 0, results::SuffixOfRow(row), nullptr) &&
         WriteText(sheet, sheetRow, 1, platform::DecodeCp932(qso.baseCall), nullptr) &&
         WriteDate(sheet, sheetRow, 2, qso.date, date, nullptr);
}

// yyyymmdd of a date that names a day, for ordering.
std::optional<int> DayNumber(std::string_view date) {
  const std::optional<lxw_datetime> day = DayOf(date);
  if (!day) return std::nullopt;
  return day->year * 10000 + day->month * 100 + day->day;
}

}  // namespace

bool FillQslWaitingSheet(lxw_workbook* workbook, const Tally& tally) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, kQslWaitingName.c_str());
  if (sheet == nullptr) return false;
  // Each waiting suffix with its day (after every day when its date names none), sorted by day
  // and row: by date, ties by suffix.
  std::vector<std::pair<int, int>> waiting;
  for (int row = 0; row < kSuffixCount; ++row) {
    const TallyRow& qso = tally.rows[static_cast<std::size_t>(row)];
    if (StandingOf(qso) != SuffixStanding::kWorked) continue;
    waiting.emplace_back(DayNumber(qso.date).value_or(INT_MAX), row);
  }
  std::sort(waiting.begin(), waiting.end());

  lxw_format* date = DateFormat(workbook);
  SetListColumns(sheet);
  PrintOnA4(sheet, false);
  bool ok =
      FilterList(sheet, waiting.size(), 3) &&
      WriteHeadingRow(sheet, HeadingFormat(workbook), {"サフィックス", "コールサイン", "交信日"});
  lxw_row_t sheetRow = 1;
  for (auto it = waiting.begin(); ok && it != waiting.end(); ++it) {
    ok = WriteSuffixRow(sheet, sheetRow++, tally, it->second, date);
  }
  return ok;
}

bool FillProgressSheet(lxw_workbook* workbook, const Tally& tally) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, kProgressName.c_str());
  if (sheet == nullptr) return false;
  // The suffixes worked and confirmed in each year, by the date of each suffix's QSO in the
  // results; a date that names no day belongs to no year and is left out.
  std::vector<std::pair<int, bool>> years;  // year, confirmed
  int first = INT_MAX, last = INT_MIN;
  for (const TallyRow& qso : tally.rows) {
    const SuffixStanding standing = StandingOf(qso);
    if (standing == SuffixStanding::kNotWorked) continue;
    const std::optional<lxw_datetime> day = DayOf(qso.date);
    if (!day) continue;
    years.emplace_back(day->year, standing == SuffixStanding::kConfirmed);
    first = std::min(first, day->year);
    last = std::max(last, day->year);
  }

  worksheet_set_column(sheet, 0, 0, 8, nullptr);
  worksheet_set_column(sheet, 1, 3, 14, nullptr);
  PrintOnA4(sheet, true);
  lxw_format* count = workbook_add_format(workbook);
  format_set_num_format(count, "#,##0");
  bool ok = WriteHeadingRow(sheet, HeadingFormat(workbook),
                            {"年", "交信済み", "確認済み", kAllSuffixesHeading});
  const std::string note(kProgressDatesNote);
  ok = ok && worksheet_write_comment(sheet, 0, 0, note.c_str()) == LXW_NO_ERROR;
  if (years.empty()) return ok && WriteText(sheet, 1, 0, kNoProgressText, nullptr);

  std::vector<int> worked(static_cast<std::size_t>(last - first + 1));
  std::vector<int> confirmed(worked.size());
  for (const auto& [year, sure] : years) {
    ++worked[static_cast<std::size_t>(year - first)];
    if (sure) ++confirmed[static_cast<std::size_t>(year - first)];
  }
  // A year without a QSO keeps its row, with the counts that stood at its end.
  int workedSoFar = 0, confirmedSoFar = 0;
  for (std::size_t i = 0; ok && i < worked.size(); ++i) {
    workedSoFar += worked[i];
    confirmedSoFar += confirmed[i];
    const auto row = static_cast<lxw_row_t>(i + 1);
    ok = worksheet_write_number(sheet, row, 0, first + static_cast<double>(i), nullptr) ==
             LXW_NO_ERROR &&
         worksheet_write_number(sheet, row, 1, workedSoFar, count) == LXW_NO_ERROR &&
         worksheet_write_number(sheet, row, 2, confirmedSoFar, count) == LXW_NO_ERROR &&
         worksheet_write_number(sheet, row, 3, kSuffixCount, count) == LXW_NO_ERROR;
  }
  if (!ok) return false;

  lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_LINE);
  if (chart == nullptr) return false;
  const std::string title(kProgressChartTitle);
  chart_title_set_name(chart, title.c_str());
  chart_axis_set_name(chart->x_axis, "年");
  chart_axis_set_name(chart->y_axis, "サフィックス数");
  chart_axis_set_min(chart->y_axis, 0);
  chart_axis_set_num_format(chart->y_axis, "#,##0");
  chart_legend_set_position(chart, LXW_CHART_LEGEND_BOTTOM);
  const auto lastRow = static_cast<lxw_row_t>(worked.size());
  lxw_chart_line reference{};
  reference.color = LXW_COLOR_GRAY;
  reference.dash_type = LXW_CHART_LINE_DASH_DASH;
  for (lxw_col_t col = 1; col <= 3; ++col) {
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    if (series == nullptr) return false;
    chart_series_set_categories(series, kProgressName.c_str(), 1, 0, lastRow, 0);
    chart_series_set_values(series, kProgressName.c_str(), 1, col, lastRow, col);
    chart_series_set_name_range(series, kProgressName.c_str(), 0, col);
    if (col == 3) {
      // All 18,278 suffixes: the line the other two climb towards.
      chart_series_set_line(series, &reference);
    } else {
      // A single year is a point, shown by its marker.
      chart_series_set_marker_type(series, LXW_CHART_MARKER_CIRCLE);
    }
  }
  lxw_chart_options place{};
  place.x_offset = 10;
  place.y_offset = 4;
  place.x_scale = 1.5;
  place.y_scale = 1.5;
  return worksheet_insert_chart_opt(sheet, 1, 5, chart, &place) == LXW_NO_ERROR;
}

bool FillChangesSheet(lxw_workbook* workbook, const Tally& tally, const ResultChanges& changes) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, kChangesName.c_str());
  if (sheet == nullptr) return false;
  SetListColumns(sheet);
  PrintOnA4(sheet, false);
  bool ok = WriteHeadingRow(sheet, HeadingFormat(workbook),
                            {"サフィックス", "コールサイン", "交信日", "区分"});
  if (changes.earlier != EarlierResults::State::kRead) {
    return ok && WriteText(sheet, 1, 0,
                           changes.earlier == EarlierResults::State::kMissing
                               ? kNoEarlierResultsText
                               : kUnsoundEarlierResultsText,
                           nullptr);
  }
  ok = ok && FilterList(sheet, changes.changes.size(), 4);
  lxw_format* date = DateFormat(workbook);
  // Centred, so that the label stands clear of the date at its left.
  lxw_format* centred = workbook_add_format(workbook);
  format_set_align(centred, LXW_ALIGN_CENTER);
  lxw_row_t sheetRow = 1;
  for (auto it = changes.changes.begin(); ok && it != changes.changes.end(); ++it) {
    ok = WriteSuffixRow(sheet, sheetRow, tally, it->row, date) &&
         WriteText(sheet, sheetRow, 3,
                   it->kind == ChangeKind::kNewlyConfirmed ? kNewlyConfirmedText : kNewlyWorkedText,
                   centred);
    ++sheetRow;
  }
  return ok;
}

}  // namespace sfxtal::standin
