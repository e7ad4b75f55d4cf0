#include "standin/award_application.h"

#include <xlsxwriter.h>

#include <cstdio>

#include "platform/file_exists.h"
#include "platform/open_elsewhere.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/spreadsheet.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "results/results_file.h"
#include "results/suffix_row.h"
#include "standin/workbook_file.h"

namespace sfxtal::standin {
namespace {

constexpr uint8_t kPaperA4 = 9;
constexpr lxw_row_t kTitleRow = 0;
constexpr lxw_row_t kCountRow = 2;
constexpr lxw_row_t kPercentRow = 3;
constexpr lxw_row_t kHeadingRow = 5;
constexpr lxw_col_t kColumns = 5;
// Tall enough for the 16-point title; a table row holds one line of its 11-point text, and its
// height is fixed so that a spreadsheet program does not grow it around a long, wrapped text.
constexpr double kTitleRowHeight = 24;
constexpr double kTableRowHeight = 16;
// What a message quotes of a text found in the file.
constexpr std::size_t kQuotedCharacters = 12;

bool WriteText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, std::string_view text,
               lxw_format* format) {
  const std::string cell(standin::CellText(text));
  return worksheet_write_string(sheet, row, col, cell.c_str(), format) == LXW_NO_ERROR;
}

// True when the bytes hold a character in UTF-8's three- or four-byte form (every Japanese
// character) and every byte above 0x7F belongs to a well-formed sequence. CP932 text almost never
// does: its two-byte characters would have to line up with UTF-8's lead and continuation bytes
// throughout.
bool IsUtf8Japanese(std::string_view bytes) {
  bool wide = false;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 1;
    if (c >= 0xC2 && c <= 0xDF) length = 2;
    if (c >= 0xE0 && c <= 0xEF) length = 3;
    if (c >= 0xF0 && c <= 0xF4) length = 4;
    if (c >= 0x80 && length == 1) return false;
    if (i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    wide = wide || length >= 3;
    i += length;
  }
  return wide;
}

// The first byte that the CP932 decoding carried through because it does not decode (decoded
// text in), or -1.
int FirstUndecodedByte(std::string_view utf8) {
  for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
    if (static_cast<unsigned char>(utf8[i]) != 0xEF) continue;
    const char32_t codePoint = 0xF000 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 6 |
                               (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
    if (codePoint >= platform::kCarriedByteBase && codePoint <= platform::kCarriedByteBase + 0xFF) {
      return static_cast<int>(codePoint - platform::kCarriedByteBase);
    }
  }
  return -1;
}

// A text from the file as a message quotes it: its first characters, control characters as "?".
std::string Quoted(std::string_view utf8) {
  const std::string_view shown = platform::LeftCharacters(utf8, kQuotedCharacters);
  std::string text = "「";
  for (char c : shown) text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
  if (shown.size() < utf8.size()) text += "…";
  return text + "」";
}

AwardSource Refused(int line, const std::string& what) {
  return {{},
          std::string(platform::kResultsFileName) + " の " + std::to_string(line) +
              " 行目: " + what + "。申請書は作成しませんでした"};
}

// What is wrong with the encoding of one field's bytes, or nothing.
std::string EncodingProblem(std::string_view bytes, const std::string& decoded, bool firstField) {
  if (firstField && bytes.starts_with("\xEF\xBB\xBF")) {
    return "先頭に UTF-8 の BOM があります（Shift-JIS で保存してください）";
  }
  if (IsUtf8Japanese(bytes)) {
    return "UTF-8 の文字" + Quoted(bytes) + "があります（Shift-JIS で保存してください）";
  }
  if (const int byte = FirstUndecodedByte(decoded); byte >= 0) {
    char hex[16];  // room for any int, since unoptimised GCC cannot see that byte < 0x100
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return std::string("Shift-JIS として読めないバイト ") + hex + " があります";
  }
  return {};
}

}  // namespace

AwardSource ReadAwardSource(results::ResultsRecordReader& reader) {
  AwardSource source;
  std::string bytes;
  for (int row = 0; row < results::kSuffixCount; ++row) {
    std::string fields[4];
    int taken = 0;
    int line = 0;
    for (; taken < 4 && reader.NextFieldBytes(bytes); ++taken) {
      if (taken == 0) line = reader.FieldLine();
      fields[taken] = platform::DecodeCp932(bytes);
      const std::string problem = EncodingProblem(bytes, fields[taken], row == 0 && taken == 0);
      if (!problem.empty()) return Refused(reader.FieldLine(), problem);
      if (reader.FieldLine() != line) {
        return Refused(line,
                       "項目が " + std::to_string(taken) + " つしかありません（4 つのはずです）");
      }
    }
    if (taken == 0) break;
    if (taken < 4) {
      return Refused(line,
                     "項目が " + std::to_string(taken) + " つしかありません（4 つのはずです）");
    }
    if (reader.MoreOnLine()) return Refused(line, "項目が 5 つ以上あります（4 つのはずです）");
    if (results::CapitalSuffixRow(fields[0]) != row) {
      return Refused(line, "サフィックスが" + Quoted(fields[0]) + "です（「" +
                               results::SuffixOfRow(row) + "」のはずです）");
    }
    results::ResultRecord record{std::move(fields[0]), std::move(fields[1]), std::move(fields[2]),
                                 std::move(fields[3])};
    if (results::IsConfirmed(record)) {
      source.entries.push_back({std::move(record.Suffix), std::move(record.Detail1),
                                std::move(record.Detail2), std::move(record.Mark)});
    }
  }
  return source;
}

AwardSource ReadAwardSource(std::string_view resultsFileBytes) {
  results::ResultsRecordReader reader(resultsFileBytes);
  return ReadAwardSource(reader);
}

bool FillAwardApplication(lxw_workbook* workbook, const std::vector<AwardEntry>& entries) {
  lxw_worksheet* sheet = workbook_add_worksheet(workbook, "申請書");
  if (sheet == nullptr) return false;

  lxw_format* title = workbook_add_format(workbook);
  format_set_bold(title);
  format_set_font_size(title, 16);
  format_set_align(title, LXW_ALIGN_CENTER);
  format_set_align(title, LXW_ALIGN_VERTICAL_CENTER);
  lxw_format* label = workbook_add_format(workbook);
  format_set_bold(label);
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
  // A text too long for its column wraps inside the cell, whose fixed height then cuts it: it
  // never runs on past the table's right edge, which would shrink the whole printed page.
  lxw_format* cell = workbook_add_format(workbook);
  format_set_border(cell, LXW_BORDER_THIN);
  format_set_align(cell, LXW_ALIGN_CENTER);
  format_set_align(cell, LXW_ALIGN_VERTICAL_TOP);
  format_set_text_wrap(cell);

  const auto lastRow = static_cast<lxw_row_t>(kHeadingRow + entries.size());
  worksheet_set_paper(sheet, kPaperA4);
  worksheet_set_portrait(sheet);
  worksheet_set_margins(sheet, 0.7, 0.7, 0.75, 0.75);
  worksheet_center_horizontally(sheet);
  worksheet_fit_to_pages(sheet, 1, 0);
  worksheet_set_footer(sheet, "&C&P / &N");
  const double widths[kColumns] = {7, 14, 18, 14, 8};
  for (lxw_col_t col = 0; col < kColumns; ++col) {
    worksheet_set_column(sheet, col, col, widths[col], nullptr);
  }

  const auto confirmed = static_cast<double>(entries.size());
  bool ok = worksheet_print_area(sheet, kTitleRow, 0, lastRow, kColumns - 1) == LXW_NO_ERROR &&
            worksheet_set_row(sheet, kTitleRow, kTitleRowHeight, nullptr) == LXW_NO_ERROR &&
            worksheet_merge_range(sheet, kTitleRow, 0, kTitleRow, kColumns - 1, kAwardTitle,
                                  title) == LXW_NO_ERROR &&
            WriteText(sheet, kCountRow, 0, "コンファーム済みサフィックス", label) &&
            worksheet_write_number(sheet, kCountRow, 3, confirmed, count) == LXW_NO_ERROR &&
            WriteText(sheet, kPercentRow, 0, "達成率", label) &&
            worksheet_write_number(sheet, kPercentRow, 3, confirmed / results::kSuffixCount,
                                   percent) == LXW_NO_ERROR &&
            worksheet_repeat_rows(sheet, kHeadingRow, kHeadingRow) == LXW_NO_ERROR;
  const char* headings[kColumns] = {"No.", "サフィックス", "コールサイン", "交信日", "マーク"};
  for (lxw_col_t col = 0; ok && col < kColumns; ++col) {
    ok = WriteText(sheet, kHeadingRow, col, headings[col], heading);
  }
  lxw_row_t row = kHeadingRow + 1;
  for (std::size_t i = 0; ok && i < entries.size(); ++i, ++row) {
    const AwardEntry& entry = entries[i];
    ok = worksheet_set_row(sheet, row, kTableRowHeight, nullptr) == LXW_NO_ERROR &&
         worksheet_write_number(sheet, row, 0, static_cast<double>(i + 1), cell) == LXW_NO_ERROR &&
         WriteText(sheet, row, 1, entry.suffix, cell) &&
         WriteText(sheet, row, 2, entry.baseCall, cell) &&
         WriteText(sheet, row, 3, entry.date, cell) && WriteText(sheet, row, 4, entry.mark, cell);
  }
  return ok;
}

bool WriteAwardApplication(const std::filesystem::path& path,
                           const std::vector<AwardEntry>& entries) {
  WorkbookFile file(path);
  return file.Build(
             [&entries](lxw_workbook* workbook) { return FillAwardApplication(workbook, entries); },
             false) &&
         file.Commit();
}

std::optional<std::filesystem::path> MakeAwardApplication(platform::UserInterface& ui,
                                                          const std::filesystem::path& folder) {
  const std::filesystem::path resultsFile =
      folder / platform::PathFromUtf8(platform::kResultsFileName);
  if (!platform::FileExists(resultsFile)) {
    ui.ShowMessage(std::string(platform::kResultsFileMissingMessage));
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
  const std::filesystem::path book = folder / platform::PathFromUtf8(platform::kAwardBookName);
  // Replaced under the spreadsheet program's feet, the application would still show its old
  // figures there, and those are what would be printed.
  if (platform::OpenElsewhere(book)) {
    ui.ShowMessage(platform::WithPath(platform::kOpenElsewhereMessage, book));
    return std::nullopt;
  }
  if (!WriteAwardApplication(book, source.entries)) {
    ui.ShowMessage(platform::WithPath(platform::kCannotWriteMessage, book));
    return std::nullopt;
  }
  return book;
}

}  // namespace sfxtal::standin
