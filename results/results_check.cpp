#include "results/results_check.h"

#include <cstdio>

#include "platform/file_exists.h"
#include "platform/program_texts.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "results/results_texts.h"
#include "results/suffix_row.h"

namespace sfxtal::results {
namespace {

// What a message quotes of a text found in the file.
constexpr std::size_t kQuotedCharacters = 12;
constexpr char kEscape = 0x1B;
constexpr char kTab = 0x09;
const std::string kSaveAsShiftJis = "があります（Shift-JIS で保存してください）";

bool IsHigh(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

// A text from the file as a message quotes it: its first characters, control characters as "?".
std::string Quoted(std::string_view utf8) {
  const std::string_view shown = platform::LeftCharacters(utf8, kQuotedCharacters);
  std::string text = "「";
  for (char c : shown) text += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
  if (shown.size() < utf8.size()) text += "…";
  return text + "」";
}

std::string Hex(unsigned char byte) {
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", byte);
  return hex;
}

// A JIS X 0208 character (row and cell bytes 0x21-0x7E) in CP932, to quote what another Japanese
// encoding meant.
std::string JisAsCp932(unsigned char row, unsigned char cell) {
  const int lead = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
  const int trail = cell + ((row & 1) != 0 ? (cell >= 0x60 ? 0x20 : 0x1F) : 0x7E);
  return {static_cast<char>(lead), static_cast<char>(trail)};
}

// The first byte that CP932 does not decode, or -1.
int FirstUndecodedByte(std::string_view bytes) {
  const std::string utf8 = platform::DecodeCp932(bytes);
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

bool IsJapaneseScript(char32_t c) {
  return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF);
}

// The line's first characters beyond ASCII when it is UTF-8 rather than CP932 (see
// CheckResultsRecords); else empty.
std::string_view Utf8Reading(std::string_view line) {
  bool wide = false;
  bool allJapanese = true;
  std::size_t first = std::string_view::npos;
  for (std::size_t i = 0; i < line.size();) {
    const auto c = static_cast<unsigned char>(line[i]);
    std::size_t length = 1;
    char32_t codePoint = c;
    if (c >= 0xC2 && c <= 0xDF) length = 2, codePoint = c & 0x1F;
    if (c >= 0xE0 && c <= 0xEF) length = 3, codePoint = c & 0x0F;
    if (c >= 0xF0 && c <= 0xF4) length = 4, codePoint = c & 0x07;
    if (c >= 0x80 && length == 1) return {};
    if (i + length > line.size()) return {};
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(line[i + k]);
      if ((next & 0xC0) != 0x80) return {};
      codePoint = codePoint << 6 | (next & 0x3F);
    }
    if (length >= 3) {
      wide = true;
      allJapanese = allJapanese && IsJapaneseScript(codePoint);
    }
    if (length > 1 && first == std::string_view::npos) first = i;
    i += length;
  }
  if (!wide || (!allJapanese && FirstUndecodedByte(line) < 0)) return {};
  std::size_t end = first;
  while (end < line.size() && IsHigh(line[end])) ++end;
  return line.substr(first, end - first);
}

// The line's first characters beyond ASCII as EUC-JP means them (in CP932), when it is EUC-JP
// rather than CP932 (see CheckResultsRecords); else empty.
std::string EucJpReading(std::string_view line) {
  bool onlyKatakana = true;
  std::size_t first = std::string_view::npos;
  for (std::size_t i = 0; i < line.size();) {
    if (!IsHigh(line[i])) {
      ++i;
      continue;
    }
    if (i + 1 >= line.size()) return {};
    const auto lead = static_cast<unsigned char>(line[i]);
    const auto trail = static_cast<unsigned char>(line[i + 1]);
    if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE) return {};
    onlyKatakana = onlyKatakana && lead <= 0xDF && trail <= 0xDF;
    if (first == std::string_view::npos) first = i;
    i += 2;
  }
  if (first == std::string_view::npos || (!onlyKatakana && FirstUndecodedByte(line) < 0)) return {};
  std::string cp932;
  for (std::size_t i = first; i + 1 < line.size() && IsHigh(line[i]); i += 2) {
    cp932 += JisAsCp932(static_cast<unsigned char>(line[i]) - 0x80,
                        static_cast<unsigned char>(line[i + 1]) - 0x80);
  }
  return platform::DecodeCp932(cp932);
}

// The characters an ISO-2022-JP line switches to JIS X 0208 for (in CP932), from its first
// switch; empty when it has none.
std::string Iso2022JpReading(std::string_view line) {
  for (std::size_t i = 0; i + 2 < line.size(); ++i) {
    if (line[i] != kEscape || line[i + 1] != '$' || (line[i + 2] != 'B' && line[i + 2] != '@')) {
      continue;
    }
    std::string cp932;
    for (std::size_t k = i + 3; k + 1 < line.size() && line[k] >= 0x21 && line[k] <= 0x7E &&
                                line[k + 1] >= 0x21 && line[k + 1] <= 0x7E;
         k += 2) {
      cp932 +=
          JisAsCp932(static_cast<unsigned char>(line[k]), static_cast<unsigned char>(line[k + 1]));
    }
    return platform::DecodeCp932(cp932);
  }
  return {};
}

// What is wrong with the bytes of one line as CP932 text, or nothing.
std::optional<std::string> LineProblem(std::string_view line, bool firstLine) {
  if (firstLine && line.starts_with("\xEF\xBB\xBF")) {
    return "先頭に UTF-8 の BOM " + kSaveAsShiftJis;
  }
  if (firstLine && (line.starts_with("\xFF\xFE") || line.starts_with("\xFE\xFF"))) {
    return "先頭に UTF-16 の BOM " + kSaveAsShiftJis;
  }
  if (const std::string jis = Iso2022JpReading(line); !jis.empty()) {
    return "ISO-2022-JP（JIS コード）の文字" + Quoted(jis) + kSaveAsShiftJis;
  }
  // No control character is the second byte of a CP932 character, so each one found is one.
  for (char c : line) {
    if ((static_cast<unsigned char>(c) < 0x20 && c != kTab) || c == 0x7F) {
      return "制御文字 " + Hex(static_cast<unsigned char>(c)) + " があります";
    }
  }
  if (const std::string_view utf8 = Utf8Reading(line); !utf8.empty()) {
    return "UTF-8 の文字" + Quoted(utf8) + kSaveAsShiftJis;
  }
  if (const std::string euc = EucJpReading(line); !euc.empty()) {
    return "EUC-JP の文字" + Quoted(euc) + kSaveAsShiftJis;
  }
  if (const int byte = FirstUndecodedByte(line); byte >= 0) {
    return "Shift-JIS として読めないバイト " + Hex(static_cast<unsigned char>(byte)) +
           " があります";
  }
  return std::nullopt;
}

std::string FieldCountText(int taken) {
  return "項目が " + std::to_string(taken) + " つしかありません（4 つのはずです）";
}

std::string WithThousands(int number) {
  const std::string digits = std::to_string(number);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

}  // namespace

std::optional<ResultsFileProblem> CheckResultsRecords(ResultsRecordReader& reader,
                                                      const SoundRecordCallback& onRecord) {
  std::string_view bytes;
  int checkedLine = 0;
  for (int row = 0; row < kSuffixCount; ++row) {
    std::string fields[4];
    int taken = 0;
    int line = 0;
    for (; taken < 4 && reader.NextFieldBytes(bytes); ++taken) {
      if (taken == 0) line = reader.FieldLine();
      // A record's fields stand on its own line.
      if (reader.FieldLine() != line) return ResultsFileProblem{line, FieldCountText(taken)};
      if (line != checkedLine) {
        checkedLine = line;
        if (auto what = LineProblem(reader.LineBytes(), line == 1)) {
          return ResultsFileProblem{line, std::move(*what)};
        }
      }
      fields[taken] = platform::DecodeCp932(bytes);
    }
    if (taken == 0) {
      // The tally always writes every suffix: a file that ends early was cut.
      return ResultsFileProblem{reader.FieldLine() + 1,
                                "記録が " + WithThousands(row) + " 件で終わっています（" +
                                    WithThousands(kSuffixCount) + " 件のはずです）"};
    }
    if (taken < 4) return ResultsFileProblem{line, FieldCountText(taken)};
    if (reader.MoreOnLine()) {
      return ResultsFileProblem{line, "項目が 5 つ以上あります（4 つのはずです）"};
    }
    if (CapitalSuffixRow(fields[0]) != row) {
      return ResultsFileProblem{line, "サフィックスが" + Quoted(fields[0]) + "です（「" +
                                          SuffixOfRow(row) + "」のはずです）"};
    }
    if (onRecord) {
      ResultRecord record{std::move(fields[0]), std::move(fields[1]), std::move(fields[2]),
                          std::move(fields[3])};
      onRecord(record);
    }
  }
  return std::nullopt;
}

std::optional<ResultsFileProblem> CheckResultsBytes(std::string_view bytes) {
  ResultsRecordReader reader(bytes);
  return CheckResultsRecords(reader);
}

std::string ProblemText(const ResultsFileProblem& problem) {
  return std::string(kResultsFileName) + " の " + std::to_string(problem.line) +
         " 行目: " + problem.what;
}

bool WarnIfResultsFileUnsound(platform::UserInterface& ui,
                              const std::filesystem::path& programFolder) {
  const std::filesystem::path path = programFolder / platform::PathFromUtf8(kResultsFileName);
  platform::TextFileReader file;
  if (!platform::FileExists(path) || !file.Open(path)) return false;
  ResultsRecordReader reader(file);
  const std::optional<ResultsFileProblem> problem = CheckResultsRecords(reader);
  if (!problem) return false;
  ui.ShowMessage(platform::WithPath(ProblemText(*problem) + std::string(kUnsoundTotalsText), path));
  return true;
}

}  // namespace sfxtal::results
