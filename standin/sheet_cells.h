#pragma once

#include <xlsxwriter.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace sfxtal::standin {

/// Writes a UTF-8 text (cut to what a cell holds); false when libxlsxwriter refused it.
bool WriteText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view utf8,
               lxw_format* format);

/// The work file's date "CCYY/MM/DD" (CP932 bytes) when it names a day that a spreadsheet's
/// calendar holds (from 1900 on); nothing for anything else.
std::optional<lxw_datetime> DayOf(std::string_view date);

/// A date as a date cell in `dateFormat` when it names a day, else as its text in `textFormat`.
bool WriteDate(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view date,
               lxw_format* dateFormat, lxw_format* textFormat);

/// The bold, underlined format of a sheet's heading row.
lxw_format* HeadingFormat(lxw_workbook* workbook);

/// A list's heading row: the texts, frozen above the list and repeated on every printed page.
bool WriteHeadingRow(lxw_worksheet* sheet, lxw_format* heading,
                     std::initializer_list<std::string_view> texts);

/// Prints on A4 paper, as wide as one page.
void PrintOnA4(lxw_worksheet* sheet, bool landscape);

}  // namespace sfxtal::standin
