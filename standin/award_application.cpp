#include "standin/award_application.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "platform/file_exists.h"
#include "platform/open_elsewhere.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/spreadsheet.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "results/results_check.h"
#include "results/results_file.h"
#include "results/results_texts.h"
#include "results/suffix_row.h"
#include "standin/sheet_cells.h"
#include "standin/stand_in_spreadsheet.h"
#include "standin/standin_texts.h"
#include "standin/workbook_file.h"

namespace sfxtal::standin {
namespace {

constexpr lxw_row_t kTitleRow = 0;
// The applicant's lines: call, name, address, day of application.
constexpr lxw_row_t kApplicantRow = 2;
constexpr lxw_row_t kApplicantRows = 4;
constexpr lxw_row_t kCountRow = kApplicantRow + kApplicantRows + 1;
constexpr lxw_row_t kPercentRow = kCountRow + 1;
constexpr lxw_row_t kHeadingRow = kPercentRow + 2;
constexpr lxw_col_t kColumns = 5;
// An applicant's line: its label over the first two columns, its value over the other three.
constexpr lxw_col_t kApplicantValueColumn = 2;
// Tall enough for the 16-point title.
constexpr double kTitleRowHeight = 24;
// An applicant's line per line of text: room to write in by hand.
constexpr double kApplicantLineHeight = 21;
// Column widths in the spreadsheet's unit, the width of a "0": what a column needs at least (the
// heading's and a date's), and at most (the file format's limit).
constexpr double kLeastWidths[kColumns] = {7, 14, 14, 14, 8};
constexpr double kMostWidth = 255;
// A half-width character (a capital letter at that) and a full-width one, measured in "0"s, and
// a cell's margins: a little more than they take in the fonts the spreadsheet programs fall back
// on, so that nothing is cut in any of them.
constexpr double kNarrowWidth = 1.5;
constexpr double kWideWidth = 2.4;
constexpr double kCellMargins = 2;

// True for a character that takes two columns on screen and paper: the CJK ideographs, kana and
// full-width forms (half-width katakana is one).
bool IsWide(char32_t c) {
  return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
         (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
         (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000;
}

// The width a cell needs to show the text on one line.
double TextWidth(std::string_view utf8) {
  double width = kCellMargins;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    width += IsWide(c) ? kWideWidth : kNarrowWidth;
    i += length;
  }
  return width;
}

// One of the applicant's lines: the label, and the value on an underline that is left blank
// when there is no value, so the printed form is filled in by hand. A value longer than its line
// wraps onto as many lines as it needs, the row grown to hold them, since a printer does not
// grow a row of cells run together.
bool WriteApplicantLine(lxw_worksheet* sheet, lxw_row_t row, const char* label,
                        std::string_view value, lxw_format* labelFormat, lxw_format* valueFormat,
                        double valueWidth) {
  const double lines = std::max(1.0, std::ceil(TextWidth(CellText(value)) / valueWidth));
  return worksheet_set_row(sheet, row, kApplicantLineHeight * lines, nullptr) == LXW_NO_ERROR &&
         worksheet_merge_range(sheet, row, 0, row, kApplicantValueColumn - 1, "", labelFormat) ==
             LXW_NO_ERROR &&
         WriteText(sheet, row, 0, label, labelFormat) &&
         worksheet_merge_range(sheet, row, kApplicantValueColumn, row, kColumns - 1, "",
                               valueFormat) == LXW_NO_ERROR &&
         (value.empty() || WriteText(sheet, row, kApplicantValueColumn, value, valueFormat));
}

// The computer's local day. std::localtime's shared result is safe here: the program works on
// one thread.
std::chrono::year_month_day Today() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  if (local == nullptr) {
    return std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  }
  return {std::chrono::year(local->tm_year + 1900),
          std::chrono::month(static_cast<unsigned>(local->tm_mon + 1)),
          std::chrono::day(static_cast<unsigned>(local->tm_mday))};
}

}  // namespace

AwardSource ReadAwardSource(results::ResultsRecordReader& reader) {
  AwardSource source;
  const std::optional<results::ResultsFileProblem> problem =
      results::CheckResultsRecords(reader, [&source](results::ResultRecord& record) {
        if (!results::IsConfirmed(record)) return;
        source.entries.push_back({std::move(record.Suffix), std::move(record.Detail1),
                                  std::move(record.Detail2), std::move(record.Mark)});
      });
  if (problem) {
    source.entries.clear();
    source.refusal = results::ProblemText(*problem) + std::string(kNoApplicationText);
  }
  return source;
}

AwardSource ReadAwardSource(std::string_view resultsFileBytes) {
  results::ResultsRecordReader reader(resultsFileBytes);
  return ReadAwardSource(reader);
}

bool FillAwardApplication(lxw_workbook* workbook, const std::vector<AwardEntry>& entries,
                          const app::Applicant& applicant, std::chrono::year_month_day madeOn) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "申請書");
  if (sheet == nullptr) return false;

  lxw_format* title = workbook_add_format(workbook);
  format_set_bold(title);
  format_set_font_size(title, 16);
  format_set_align(title, LXW_ALIGN_CENTER);
  format_set_align(title, LXW_ALIGN_VERTICAL_CENTER);
  lxw_format* label = workbook_add_format(workbook);
  format_set_bold(label);
  // An applicant's label stands level with the first line of its value.
  lxw_format* applicantLabel = workbook_add_format(workbook);
  format_set_bold(applicantLabel);
  format_set_align(applicantLabel, LXW_ALIGN_VERTICAL_TOP);
  lxw_format* filledIn = workbook_add_format(workbook);
  format_set_bottom(filledIn, LXW_BORDER_THIN);
  format_set_align(filledIn, LXW_ALIGN_LEFT);
  format_set_align(filledIn, LXW_ALIGN_VERTICAL_TOP);
  format_set_text_wrap(filledIn);
  lxw_format* dateFilledIn = workbook_add_format(workbook);
  format_set_bottom(dateFilledIn, LXW_BORDER_THIN);
  format_set_align(dateFilledIn, LXW_ALIGN_LEFT);
  format_set_align(dateFilledIn, LXW_ALIGN_VERTICAL_TOP);
  format_set_num_format(dateFilledIn, "yyyy\"年\"m\"月\"d\"日\"");
  lxw_format* count = workbook_add_format(workbook);
  format_set_num_format(count, "#,##0\" / 18,278\"");
  format_set_align(count, LXW_ALIGN_LEFT);
  lxw_format* percent = workbook_add_format(workbook);
  format_set_num_format(percent, "0.00%");
  format_set_align(percent, LXW_ALIGN_LEFT);
  lxw_format* heading = workbook_add_format(workbook);
  format_set_bold(heading);
  format_set_border(heading, LXW_BORDER_THIN);
  format_set_bg_color(heading, 0xD9D9D9);
  format_set_align(heading, LXW_ALIGN_CENTER);
  // Every column is as wide as its longest text, so each prints whole on one line; only a text
  // beyond the widest column a workbook can have wraps, and its row, whose height is left to the
  // spreadsheet program, grows to hold it.
  lxw_format* cell = workbook_add_format(workbook);
  format_set_border(cell, LXW_BORDER_THIN);
  format_set_align(cell, LXW_ALIGN_CENTER);
  format_set_align(cell, LXW_ALIGN_VERTICAL_TOP);
  format_set_text_wrap(cell);

  const auto lastRow = static_cast<lxw_row_t>(kHeadingRow + entries.size());
  PrintOnA4(sheet, false);
  worksheet_set_margins(sheet, 0.7, 0.7, 0.75, 0.75);
  worksheet_center_horizontally(sheet);
  worksheet_set_footer(sheet, "&C&P / &N");
  double widths[kColumns];
  std::copy(std::begin(kLeastWidths), std::end(kLeastWidths), widths);
  for (const AwardEntry& entry : entries) {
    const std::string_view texts[] = {entry.suffix, entry.baseCall, entry.date, entry.mark};
    for (lxw_col_t col = 1; col < kColumns; ++col) {
      widths[col] =
          std::min(kMostWidth, std::max(widths[col], TextWidth(CellText(texts[col - 1]))));
    }
  }
  for (lxw_col_t col = 0; col < kColumns; ++col) {
    worksheet_set_column(sheet, col, col, widths[col], nullptr);
  }

  double valueWidth = 0;
  for (lxw_col_t col = kApplicantValueColumn; col < kColumns; ++col) valueWidth += widths[col];
  lxw_datetime day{};
  day.year = static_cast<int>(madeOn.year());
  day.month = static_cast<int>(static_cast<unsigned>(madeOn.month()));
  day.day = static_cast<int>(static_cast<unsigned>(madeOn.day()));

  const auto confirmed = static_cast<double>(entries.size());
  bool ok =
      worksheet_print_area(sheet, kTitleRow, 0, lastRow, kColumns - 1) == LXW_NO_ERROR &&
      worksheet_set_row(sheet, kTitleRow, kTitleRowHeight, nullptr) == LXW_NO_ERROR &&
      worksheet_merge_range(sheet, kTitleRow, 0, kTitleRow, kColumns - 1, kAwardTitle, title) ==
          LXW_NO_ERROR &&
      WriteApplicantLine(sheet, kApplicantRow, "コールサイン", applicant.call, applicantLabel,
                         filledIn, valueWidth) &&
      WriteApplicantLine(sheet, kApplicantRow + 1, "氏名", applicant.name, applicantLabel, filledIn,
                         valueWidth) &&
      WriteApplicantLine(sheet, kApplicantRow + 2, "住所", applicant.address, applicantLabel,
                         filledIn, valueWidth) &&
      WriteApplicantLine(sheet, kApplicantRow + 3, "申請日", "", applicantLabel, dateFilledIn,
                         valueWidth) &&
      worksheet_write_datetime(sheet, kApplicantRow + 3, kApplicantValueColumn, &day,
                               dateFilledIn) == LXW_NO_ERROR &&
      // Each label and each figure has cells of its own run together, so that no program
      // cuts a figure at the edge of one column ("7,604 / 18,278" whole).
      worksheet_merge_range(sheet, kCountRow, 0, kCountRow, 2, "", label) == LXW_NO_ERROR &&
      WriteText(sheet, kCountRow, 0, "コンファーム済みサフィックス", label) &&
      worksheet_merge_range(sheet, kCountRow, 3, kCountRow, 4, "", count) == LXW_NO_ERROR &&
      worksheet_write_number(sheet, kCountRow, 3, confirmed, count) == LXW_NO_ERROR &&
      worksheet_merge_range(sheet, kPercentRow, 0, kPercentRow, 2, "", label) == LXW_NO_ERROR &&
      WriteText(sheet, kPercentRow, 0, "達成率", label) &&
      worksheet_merge_range(sheet, kPercentRow, 3, kPercentRow, 4, "", percent) == LXW_NO_ERROR &&
      worksheet_write_number(sheet, kPercentRow, 3, confirmed / results::kSuffixCount, percent) ==
          LXW_NO_ERROR &&
      worksheet_repeat_rows(sheet, kHeadingRow, kHeadingRow) == LXW_NO_ERROR;
  const char* headings[kColumns] = {"No.", "サフィックス", "コールサイン", "交信日", "マーク"};
  for (lxw_col_t col = 0; ok && col < kColumns; ++col) {
    ok = WriteText(sheet, kHeadingRow, col, headings[col], heading);
  }
  lxw_row_t row = kHeadingRow + 1;
  for (std::size_t i = 0; ok && i < entries.size(); ++i, ++row) {
    const AwardEntry& entry = entries[i];
    ok = worksheet_write_number(sheet, row, 0, static_cast<double>(i + 1), cell) == LXW_NO_ERROR &&
         WriteText(sheet, row, 1, entry.suffix, cell) &&
         WriteText(sheet, row, 2, entry.baseCall, cell) &&
         WriteText(sheet, row, 3, entry.date, cell) && WriteText(sheet, row, 4, entry.mark, cell);
  }
  return ok;
}

bool WriteAwardApplication(const std::filesystem::path& path,
                           const std::vector<AwardEntry>& entries, const app::Applicant& applicant,
                           std::chrono::year_month_day madeOn) {
  WorkbookFile file(path);
  return file.Build(
             [&](lxw_workbook* workbook) {
               return FillAwardApplication(workbook, entries, applicant, madeOn);
             },
             false) &&
         file.Commit();
}

std::optional<std::filesystem::path> MakeAwardApplication(platform::UserInterface& ui,
                                                          const std::filesystem::path& folder,
                                                          const app::Applicant& applicant) {
  RecoverProgramFolder(folder);
  const std::filesystem::path resultsFile =
      folder / platform::PathFromUtf8(results::kResultsFileName);
  if (!platform::FileExists(resultsFile)) {
    ui.ShowMessage(std::string(results::kResultsFileMissingMessage));
    return std::nullopt;
  }
  // Read as it comes, like the results window: what lies past the 18,278th record is never read.
  platform::TextFileReader file;
  AwardSource source;
  if (file.Open(resultsFile)) {
    results::ResultsRecordReader reader(file);
    source = ReadAwardSource(reader);
  }
  if (!file.IsOpen() || file.Failed()) {
    ui.ShowMessage(platform::WithPath(platform::kCannotReadMessage, resultsFile));
    return std::nullopt;
  }
  if (!source.refusal.empty()) {
    ui.ShowMessage(platform::WithPath(source.refusal, resultsFile));
    return std::nullopt;
  }
  const std::filesystem::path book = folder / platform::PathFromUtf8(standin::kAwardBookName);
  // Replaced under the spreadsheet program's feet, the application would still show its old
  // figures there, and those are what would be printed.
  if (const std::optional<std::string> held = platform::HeldFileMessage(book)) {
    ui.ShowMessage(*held);
    return std::nullopt;
  }
  if (!WriteAwardApplication(book, source.entries, applicant, Today())) {
    ui.ShowMessage(platform::WithPath(platform::kCannotWriteMessage, book));
    return std::nullopt;
  }
  return book;
}

}  // namespace sfxtal::standin
