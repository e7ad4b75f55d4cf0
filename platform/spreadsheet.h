#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "platform/path_text.h"

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

/// Creates the application object (the operator's spreadsheet program by COM).
class SpreadsheetFactory {
 public:
  virtual ~SpreadsheetFactory() = default;
  /// The application for a hand-over that will open `workbook` (so that which application that
  /// is may depend on the workbook), or nullptr when it cannot be started.
  virtual std::unique_ptr<SpreadsheetApplication> Create(const std::filesystem::path& workbook) = 0;
};

}  // namespace sfxtal::platform
