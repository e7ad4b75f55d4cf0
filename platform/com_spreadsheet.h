#pragma once

#include <filesystem>
#include <memory>

#include "platform/spreadsheet.h"
#include "platform/user_interface.h"

namespace sfxtal::platform {

/// COM on the calling thread, as a single-threaded apartment (what a thread with windows needs),
/// for as long as this lives: made once, first thing, in each Windows entry point's main, so that
/// the operator's spreadsheet program can be reached. Nothing where there is no COM.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  [[maybe_unused]] bool initialised_ = false;
};

/// The operator's own spreadsheet program, registered as "excel.application" and driven by
/// automation, every member called by name. Whatever it refuses while opening a workbook or
/// running a macro is told to the operator with the program's own description of it, as the
/// built-in stand-in tells its own failures.
class ComSpreadsheetFactory : public SpreadsheetFactory {
 public:
  explicit ComSpreadsheetFactory(UserInterface& ui) : ui_(ui) {}

  /// True when the program is registered on this system; never where there is no COM.
  static bool Registered();
  /// The running program, or nullptr when it cannot be started.
  std::unique_ptr<SpreadsheetApplication> Create(const std::filesystem::path& workbook) override;

 private:
  [[maybe_unused]] UserInterface& ui_;
};

}  // namespace sfxtal::platform
