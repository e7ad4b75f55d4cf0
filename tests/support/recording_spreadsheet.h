#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/spreadsheet_hand_over.h"
#include "tests/support/recording_ui.h"

namespace sfxtal::test_support {

/// A spreadsheet application that records each call, in one timeline with the user interface's
/// pointer changes, yields, messages and opened files, so that a test sees their order.
class RecordingSpreadsheetFactory : public app::SpreadsheetChooser {
 public:
  explicit RecordingSpreadsheetFactory(RecordingUi& ui) : ui_(ui) {}

  bool creatable = true;
  bool openSucceeds = true;
  bool macroSucceeds = true;

  std::unique_ptr<platform::SpreadsheetApplication> Start(
      app::SpreadsheetJob job, const std::filesystem::path& workbook) override;

  /// Calls ("create", "Visible=true", "Open PATH", "run MACRO", "release") and the interface's
  /// events ("busy", "normal", "yield", "message TEXT", "open file PATH") in the order they
  /// happened.
  std::vector<std::string> Timeline() const;

 private:
  friend class RecordingSpreadsheet;
  struct Call {
    std::size_t uiEventsBefore;
    std::string text;
  };
  void Record(std::string text) { calls_.push_back({ui_.events.size(), std::move(text)}); }

  RecordingUi& ui_;
  std::vector<Call> calls_;
};

}  // namespace sfxtal::test_support
