#include "standin/results_workbook.h"

#include <xlsxwriter.h>

#include <string>

#include "platform/text_codec.h"
#include "standin/workbook_file.h"

namespace sfxtal::standin {
namespace {

bool WriteText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view text,
               lxw_format* format) {
  const std::string cell(CellText(text));
  return worksheet_write_string(sheet, row, col, cell.c_str(), format) == LXW_NO_ERROR;
}

bool FillRowsSheet(lxw_workbook* workbook, const Tally& tally) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "実績");
  if (sheet == nullptr) return false;
  lxw_format* heading = workbook_add_format(workbook);
  format_set_bold(heading);
  format_set_bottom(heading, LXW_BORDER_THIN);
  lxw_format* red = workbook_add_format(workbook);
  format_set_font_color(red, LXW_COLOR_RED);

  bool ok = true;
  const char* headings[] = {"サフィックス", "コールサイン", "交信日", "マーク"};
  for (lxw_col_t col = 0; col < 4; ++col)
    ok = ok && WriteText(sheet, 0, col, headings[col], heading);
  worksheet_set_column(sheet, 0, 0, 12, nullptr);
  worksheet_set_column(sheet, 1, 1, 16, nullptr);
  worksheet_set_column(sheet, 2, 2, 12, nullptr);
  worksheet_set_column(sheet, 3, 3, 8, nullptr);
  worksheet_freeze_panes(sheet, 1, 0);
  worksheet_repeat_rows(sheet, 0, 0);

  for (int index = 0; ok && index < kSuffixCount; ++index) {
    const TallyRow& row = tally.rows[static_cast<std::size_t>(index)];
    const auto sheetRow = static_cast<lxw_row_t>(index + 1);
    lxw_format* detail = row.Unconfirmed() ? red : nullptr;
    ok = WriteText(sheet, sheetRow, 0, results::SuffixOfRow(index), nullptr) &&
         WriteText(sheet, sheetRow, 1, platform::DecodeCp932(row.baseCall), detail) &&
         WriteText(sheet, sheetRow, 2, platform::DecodeCp932(row.date), detail) &&
         WriteText(sheet, sheetRow, 3, platform::DecodeCp932(row.mark), nullptr);
  }
  return ok;
}

bool FillTotalsSheet(lxw_workbook* workbook, const Tally& tally) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "集計");
  if (sheet == nullptr) return false;
  lxw_format* heading = workbook_add_format(workbook);
  format_set_bold(heading);
  format_set_bottom(heading, LXW_BORDER_THIN);
  lxw_format* count = workbook_add_format(workbook);
  format_set_num_format(count, "#,##0");
  lxw_format* percent = workbook_add_format(workbook);
  format_set_num_format(percent, "0.00%");
  worksheet_set_column(sheet, 0, 0, 30, nullptr);
  worksheet_set_column(sheet, 1, 1, 12, nullptr);

  bool ok = WriteText(sheet, 0, 0, "項目", heading) && WriteText(sheet, 0, 1, "値", heading);
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

bool FillResultsWorkbook(lxw_workbook* workbook, const Tally& tally) {
  return FillRowsSheet(workbook, tally) && FillTotalsSheet(workbook, tally);
}

bool WriteResultsWorkbook(const std::filesystem::path& path, const Tally& tally) {
  WorkbookFile file(path);
  return BuildResultsWorkbook(file, tally) && file.Commit();
}

bool BuildResultsWorkbook(WorkbookFile& file, const Tally& tally) {
  lxw_workbook* workbook = file.Create();
  return workbook != nullptr && FillResultsWorkbook(workbook, tally) && file.WriteOut();
}

}  // namespace sfxtal::standin
