#include "app/window_user_interface.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace sfxtal::app {
namespace {

// A toolkit with nothing to show: the passes over events are what is counted.
class PassCountingUi : public WindowUserInterface {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
  void OpenFile(const std::filesystem::path&) override {}

 protected:
  void RunPendingEvents() override {}
  void ShowBusyPointer(bool) override {}
  void HideWindowsAndQuit() override {}
};

// Keeps the progress lines the window was handed.
class ProgressWindow : public ImportWindow {
 public:
  void SetInputsLocked(bool) override {}
  void ShowProgress(const std::string& text) override { shown.push_back(text); }
  std::string AskSuffix(const importer::SuffixQuestion&) override { return {}; }

  std::vector<std::string> shown;
};

// The import flushes its work file in `beforeEvents`: it must run at every pass of events and
// only then, before the window is handed the latest progress line, so that what the window shows
// as written is on disk.
TEST(WindowUserInterface, WhatMustHappenBeforeEventsHappensAtEachPassFirst) {
  PassCountingUi ui;
  ProgressWindow window;
  ui.SetImportWindow(&window);
  ui.SetYieldInterval(1);
  const auto start = std::chrono::steady_clock::now();
  const auto elapsed = [&] {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
  };
  int before = 0;
  std::string line;
  const std::function<void()> flush = [&] {
    ++before;
    EXPECT_EQ(window.shown.size(), static_cast<std::size_t>(before - 1)) << line;
  };
  for (int step = 0; elapsed() < 100 || before < 3; ++step) {
    ASSERT_LT(elapsed(), 10'000);
    line = "2001-02-03 " + std::to_string(step);
    ui.ShowProgress({"2001-02-03", step});
    const long long passes = ui.EventPasses();
    ui.Yield(flush);
    if (ui.EventPasses() != passes) {
      EXPECT_EQ(window.shown.back(), line);
    }
  }
  EXPECT_EQ(before, ui.EventPasses());
  EXPECT_EQ(window.shown.size(), static_cast<std::size_t>(before));
}

}  // namespace
}  // namespace sfxtal::app
