#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace sfxtal::platform {

/// The spreadsheet application as the program drives it: the calls it makes, in the order it
/// makes them. Creation is the factory's; release is Release followed by dropping the object.
/// The application talks to the operator about its own failures; the program only learns whether
/// a call worked.
class SpreadsheetApplication {
 public:
  virtual ~SpreadsheetApplication() = default;

  /// "Visible" set.
  virtual void SetVisible(bool visible) = 0;
  /// "Open" on "workbooks" with "filename". False when the workbook could not be opened.
  virtual bool OpenWorkbook(const std::filesystem::path& filename) = 0;
  /// "run" on "application" with "macro"; returns when the macro has finished. False when the
  /// macro failed or does not exist.
  virtual bool RunMacro(const std::string& macro) = 0;
  /// The program drops its reference; the application stays in the operator's hands.
  virtual void Release() = 0;
};

/// Creates the application object.
class SpreadsheetFactory {
 public:
  virtual ~SpreadsheetFactory() = default;
  /// The application, or nullptr when it cannot be started.
  virtual std::unique_ptr<SpreadsheetApplication> Create() = 0;
};

/// How a hand-over to the spreadsheet application went.
enum class HandOverResult {
  kDone,         // every call made and carried out
  kNotStarted,   // the application could not be created; nothing shown
  kOpenFailed,   // the workbook did not open (the application said why); no macro run
  kMacroFailed,  // the macro failed (the application said why)
  kStopped,      // the program was ended while the workbook opened; no macro run
};

// The workbooks and macros the program names.
inline constexpr const char* kResultsWorkbookName = "sfxtal.xls";
inline constexpr const char* kAwardWorkbookName = "nebu_SET.xls";
inline constexpr const char* kTallyMacro = "F_Read";
inline constexpr const char* kAwardMacro = "変換";

// What the stand-in tells the operator; a line feed and the path (or the macro) follow.
inline constexpr const char* kCannotWriteMessage = "ファイルに書き込めません";
inline constexpr const char* kNoResultsBookMessage =
    "集計ブックがありません。先に Tevrak ﾃﾞｰﾀを読み込んでください";
inline constexpr const char* kCannotReadMessage = "ファイルを読み込めません";
inline constexpr const char* kCannotOpenBookMessage = "ブックを開けません";
inline constexpr const char* kNoSuchMacroMessage = "マクロを実行できません";

}  // namespace sfxtal::platform
