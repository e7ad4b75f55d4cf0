#include "ui/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

#include "tests/ui/modal_answerer.h"

namespace sfxtal::ui {
namespace {

// Keeps the progress lines the window was handed.
class ProgressWindow : public ImportWindow {
 public:
  void SetInputsLocked(bool) override {}
  void ShowProgress(const std::string& text) override { shown.push_back(text); }
  std::string AskSuffix(const platform::SuffixQuestion&) override { return {}; }

  std::vector<std::string> shown;
};

// The import flushes its work file in `beforeEvents`: it must run at every pass of events and
// only then, before the window is handed the latest progress line, so that what the window shows
// as written is on disk.
TEST(QtUserInterface, WhatMustHappenBeforeEventsHappensAtEachPassFirst) {
  QtUserInterface ui;
  ProgressWindow window;
  ui.SetImportWindow(&window);
  ui.SetYieldInterval(1);
  QElapsedTimer clock;
  clock.start();
  int before = 0;
  std::string line;
  const std::function<void()> flush = [&] {
    ++before;
    EXPECT_EQ(window.shown.size(), static_cast<std::size_t>(before - 1)) << line;
  };
  for (int step = 0; clock.elapsed() < 100 || before < 3; ++step) {
    ASSERT_LT(clock.elapsed(), 10'000);
    line = std::to_string(step);
    ui.ShowProgress(line);
    const long long passes = ui.EventPasses();
    ui.Yield(flush);
    if (ui.EventPasses() != passes) {
      EXPECT_EQ(window.shown.back(), line);
    }
  }
  EXPECT_EQ(before, ui.EventPasses());
  EXPECT_EQ(window.shown.size(), static_cast<std::size_t>(before));
}

// Qt's standard texts are Japanese whatever the locale; Yes is the default.
TEST(QtUserInterface, QuestionsSpeakJapaneseWithYesTheDefault) {
  QtUserInterface ui;
  ModalAnswerer answerer;
  std::string buttons;
  answerer.Answer = [&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    buttons = (box->button(QMessageBox::Yes)->text() + " " + box->button(QMessageBox::No)->text())
                  .toStdString();
    return false;  // answered with the default button
  };
  EXPECT_TRUE(ui.AskYesNo("処理を中断しますか？"));
  EXPECT_EQ(answerer.titles, std::vector<std::string>{"SfxTal"});
  EXPECT_EQ(buttons, "はい(&Y) いいえ(&N)");
}

}  // namespace
}  // namespace sfxtal::ui
