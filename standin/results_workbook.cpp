#include "standin/results_workbook.h"

#include <xlsxwriter.h>

#include <optional>
#include <string>

#include "platform/text_codec.h"
#include "standin/workbook_file.h"

namespace sfxtal::standin {
namespace {

constexpr lxw_col_t kColumns = 4;

bool WriteText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view text,
               lxw_format* format) {
  const std::string cell(CellText(text));
  return worksheet_write_string(sheet, row, col, cell.c_str(), format) == LXW_NO_ERROR;
}

// The work file's date "CCYY/MM/DD" when it names a day that a spreadsheet's calendar holds (from
// 1900 on); nothing for anything else, which then stays text.
std::optional<lxw_datetime> DateOf(std::string_view text) {
  if (text.size() != 10 || text[4] != '/' || text[7] != '/') return std::nullopt;
  int parts[3] = {0, 0, 0};
  int part = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (i == 4 || i == 7) {
      ++part;
    } else if (text[i] >= '0' && text[i] <= '9') {
      parts[part] = parts[part] * 10 + (text[i] - '0');
    } else {
      return std::nullopt;
    }
  }
  const int year = parts[0], month = parts[1], day = parts[2];
  if (year < 1900 || month < 1 || month > 12 || day < 1) return std::nullopt;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  const int days[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (day > days[month - 1]) return std::nullopt;
  return lxw_datetime{year, month, day, 0, 0, 0.0};
}

struct RowFormats {
  lxw_format* red;
  lxw_format* date;
  lxw_format* redDate;
};

bool WriteDate(lxw_worksheet* sheet, lxw_row_t row, std::string_view date, bool red,
               const RowFormats& formats) {
  if (std::optional<lxw_datetime> day = DateOf(date)) {
    return worksheet_write_datetime(sheet, row, 2, &*day, red ? formats.redDate : formats.date) ==
           LXW_NO_ERROR;
  }
  return WriteText(sheet, row, 2, platform::DecodeCp932(date), red ? formats.red : nullptr);
}

// Row by row, as libxlsxwriter's constant-memory mode wants it.
bool FillRowsSheet(lxw_workbook* workbook, const Tally& tally) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "実績");
  if (sheet == nullptr) return false;
  lxw_format* heading = workbook_add_format(workbook);
  format_set_bold(heading);
  format_set_bottom(heading, LXW_BORDER_THIN);
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
  worksheet_freeze_panes(sheet, 1, 0);
  worksheet_repeat_rows(sheet, 0, 0);
  bool ok = worksheet_autofilter(sheet, 0, 0, kSuffixCount, kColumns - 1) == LXW_NO_ERROR;
  const char* headings[] = {"サフィックス", "コールサイン", "交信日", "マーク"};
  for (lxw_col_t col = 0; col < kColumns; ++col)
    ok = ok && WriteText(sheet, 0, col, headings[col], heading);

  for (int index = 0; ok && index < kSuffixCount; ++index) {
    const TallyRow& row = tally.rows[static_cast<std::size_t>(index)];
    const auto sheetRow = static_cast<lxw_row_t>(index + 1);
    const bool red = row.Unconfirmed();
    ok = WriteText(sheet, sheetRow, 0, results::SuffixOfRow(index), nullptr) &&
         WriteText(sheet, sheetRow, 1, platform::DecodeCp932(row.baseCall),
                   red ? formats.red : nullptr) &&
         WriteDate(sheet, sheetRow, row.date, red, formats) &&
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

bool BuildResultsWorkbook(WorkbookFile& file, const Tally& tally) {
  // Constant-memory mode: each row goes straight to libxlsxwriter's scratch file, and its texts
  // are written in place rather than gathered into a table of shared strings first.
  return file.Build(
      [&tally](lxw_workbook* workbook) { return FillResultsWorkbook(workbook, tally); }, true);
}

bool WriteResultsWorkbook(const std::filesystem::path& path, const Tally& tally) {
  WorkbookFile file(path);
  return BuildResultsWorkbook(file, tally) && file.Commit();
}

}  // namespace sfxtal::standin
