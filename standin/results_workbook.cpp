#include "standin/results_workbook.h"

#include <xlsxwriter.h>

#include <string>

#include "platform/text_codec.h"
#include "standin/sheet_cells.h"
#include "standin/standing_sheets.h"
#include "standin/workbook_file.h"

namespace sfxtal::standin {
namespace {

constexpr lxw_col_t kColumns = 4;

struct RowFormats {
  lxw_format* red;
  lxw_format* date;
  lxw_format* redDate;
};

// Row by row, as libxlsxwriter's constant-memory mode wants it.
bool FillRowsSheet(lxw_workbook* workbook, const Tally& tally) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "実績");
  if (sheet == nullptr) return false;
  lxw_format* heading = HeadingFormat(workbook);
  RowFormats formats{workbook_add_format(workbook), workbook_add_format(workbook),
                     workbook_add_format(workbook)};
  format_set_font_color(formats.red, LXW_COLOR_RED);
  format_set_num_format(formats.date, "yyyy/mm/dd");
  format_set_num_format(formats.redDate, "yyyy/mm/dd");
  format_set_font_color(formats.redDate, LXW_COLOR_RED);

  worksheet_set_column(sheet, 0, 0, 12, nullptr);
  worksheet_set_column(sheet, 1, 1, 16, nullptr);
  worksheet_set_column(sheet, 2, 2, 12, nullptr);
  worksheet_set_column(sheet, 3, 3, 8, nullptr);
  PrintOnA4(sheet, false);
  bool ok = worksheet_autofilter(sheet, 0, 0, kSuffixCount, kColumns - 1) == LXW_NO_ERROR &&
            WriteHeadingRow(sheet, heading, {"サフィックス", "コールサイン", "交信日", "マーク"});

  for (int index = 0; ok && index < kSuffixCount; ++index) {
    const TallyRow& row = tally.rows[static_cast<std::size_t>(index)];
    const auto sheetRow = static_cast<lxw_row_t>(index + 1);
    const bool red = row.Unconfirmed();
    ok = WriteText(sheet, sheetRow, 0, results::SuffixOfRow(index), nullptr) &&
         WriteText(sheet, sheetRow, 1, platform::DecodeCp932(row.baseCall),
                   red ? formats.red : nullptr) &&
         WriteDate(sheet, sheetRow, 2, row.date, red ? formats.redDate : formats.date,
                   red ? formats.red : nullptr) &&
         WriteText(sheet, sheetRow, 3, platform::DecodeCp932(row.mark), nullptr);
  }
  return ok;
}

bool FillTotalsSheet(lxw_workbook* workbook, const Tally& tally) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "集計");
  if (sheet == nullptr) return false;
  lxw_format* heading = HeadingFormat(workbook);
  lxw_format* count = workbook_add_format(workbook);
  format_set_num_format(count, "#,##0");
  lxw_format* percent = workbook_add_format(workbook);
  format_set_num_format(percent, "0.00%");
  worksheet_set_column(sheet, 0, 0, 30, nullptr);
  worksheet_set_column(sheet, 1, 1, 12, nullptr);

  PrintOnA4(sheet, false);
  bool ok = WriteHeadingRow(sheet, heading, {"項目", "値"});
  lxw_row_t row = 1;
  auto number = [&](const std::string& label, double value, lxw_format* format) {
    ok = ok && WriteText(sheet, row, 0, label, nullptr) &&
         worksheet_write_number(sheet, row, 1, value, format) == LXW_NO_ERROR;
    ++row;
  };
  const char* groups[] = {"全体", "1 文字", "2 文字", "3 文字"};
  for (int letters = 0; letters <= 3; ++letters) {
    const TallyCounts counts = tally.Counts(letters);
    const std::string group = std::string(" (") + groups[letters] + ")";
    number("サフィックス数" + group, counts.outOf, count);
    number("交信済み" + group, counts.worked, count);
    number("コンファーム済み" + group, counts.confirmed, count);
    number("コンファーム率" + group, counts.ConfirmedFraction(), percent);
  }
  number("読み飛ばした行", static_cast<double>(tally.SkippedLines()), count);
  return ok;
}

}  // namespace

bool FillResultsWorkbook(lxw_workbook* workbook, const Tally& tally, const ResultChanges& changes) {
  return FillRowsSheet(workbook, tally) && FillTotalsSheet(workbook, tally) &&
         FillQslWaitingSheet(workbook, tally) && FillProgressSheet(workbook, tally) &&
         FillChangesSheet(workbook, tally, changes);
}

bool BuildResultsWorkbook(WorkbookFile& file, const Tally& tally, const ResultChanges& changes) {
  // Constant-memory mode: each row goes straight to libxlsxwriter's scratch file, and its texts
  // are written in place rather than gathered into a table of shared strings first.
  return file.Build(
      [&](lxw_workbook* workbook) { return FillResultsWorkbook(workbook, tally, changes); }, true);
}

bool WriteResultsWorkbook(const std::filesystem::path& path, const Tally& tally,
                          const ResultChanges& changes) {
  WorkbookFile file(path);
  return BuildResultsWorkbook(file, tally, changes) && file.Commit();
}

}  // namespace sfxtal::standin
