#include "standin/sheet_cells.h"

#include <string>

#include "platform/text_codec.h"
#include "standin/workbook_file.h"

namespace sfxtal::standin {
namespace {

constexpr std::uint8_t kPaperA4 = 9;

}  // namespace

bool WriteText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view utf8,
               lxw_format* format) {
  const std::string cell(CellText(utf8));
  return worksheet_write_string(sheet, row, col, cell.c_str(), format) == LXW_NO_ERROR;
}

std::optional<lxw_datetime> DayOf(std::string_view text) {
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

bool WriteDate(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view date,
               lxw_format* dateFormat, lxw_format* textFormat) {
  if (std::optional<lxw_datetime> day = DayOf(date)) {
    return worksheet_write_datetime(sheet, row, col, &*day, dateFormat) == LXW_NO_ERROR;
  }
  return WriteText(sheet, row, col, platform::DecodeCp932(date), textFormat);
}

lxw_format* HeadingFormat(lxw_workbook* workbook) {
  lxw_format* heading = workbook_add_format(workbook);
  format_set_bold(heading);
  format_set_bottom(heading, LXW_BORDER_THIN);
  return heading;
}

bool WriteHeadingRow(lxw_worksheet* sheet, lxw_format* heading,
                     std::initializer_list<std::string_view> texts) {
  worksheet_freeze_panes(sheet, 1, 0);
  worksheet_repeat_rows(sheet, 0, 0);
  lxw_col_t col = 0;
  for (std::string_view text : texts) {
    if (!WriteText(sheet, 0, col++, text, heading)) return false;
  }
  return true;
}

void PrintOnA4(lxw_worksheet* sheet, bool landscape) {
  worksheet_set_paper(sheet, kPaperA4);
  if (landscape) {
    worksheet_set_landscape(sheet);
  } else {
    worksheet_set_portrait(sheet);
  }
  worksheet_fit_to_pages(sheet, 1, 0);
}

}  // namespace sfxtal::standin
