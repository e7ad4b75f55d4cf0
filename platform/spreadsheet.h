#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "platform/path_text.h"
#include "platform/user_interface.h"

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
  bool OpenWorkbook(const NarrowText auto&) = delete;
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
  /// The application for a hand-over that will open `workbook` (so that which application that
  /// is may depend on the workbook), or nullptr when it cannot be started.
  virtual std::unique_ptr<SpreadsheetApplication> Create(const std::filesystem::path& workbook) = 0;
};

/// How a hand-over to the spreadsheet application went.
enum class HandOverResult {
  kDone,         // every call made and carried out
  kNotStarted,   // the application could not be created; nothing shown
  kOpenFailed,   // the workbook did not open (the application said why); no macro run
  kMacroFailed,  // the macro failed (the application said why)
  kStopped,      // the program was ended while the workbook opened; no macro run
};

/// The hand-over, its calls in order: create the application (when it cannot be, nothing more
/// happens and nothing is shown), make it visible, open `workbook`, let window events run once,
/// run `macro` ("" for none), release it to the operator. The busy pointer is shown from the
/// application's start to its release. When the program is ended during the yield, no macro is
/// run; the program is already on its way out.
HandOverResult HandOver(UserInterface& ui, SpreadsheetFactory& factory,
                        const std::filesystem::path& workbook, std::string_view macro);

}  // namespace sfxtal::platform
