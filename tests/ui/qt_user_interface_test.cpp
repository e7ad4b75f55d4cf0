#include "ui/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <string>
#include <vector>

namespace sfxtal::ui {
namespace {

// Keeps the progress lines the window was handed.
class ProgressWindow : public ImportWindow {
 public:
  void SetInputsLocked(bool) override {}
  void ShowProgress(const std::string& text) override { shown.push_back(text); }
  void AskSuffix(import::SuffixDialog&) override {}

  std::vector<std::string> shown;
};

// The import builds its progress line only when PaintsAtNextYield says true, so the coming yield
// must run events exactly then: after false the window would show an older line than the run's.
TEST(QtUserInterface, YieldRunsEventsExactlyWhenPaintsAtNextYieldSaidSo) {
  QtUserInterface ui;
  ProgressWindow window;
  ui.SetImportWindow(&window);
  ui.SetYieldInterval(1);
  QElapsedTimer clock;
  clock.start();
  int passes = 0;
  int quiet = 0;
  for (int step = 0; clock.elapsed() < 200 || passes < 3 || quiet < 3; ++step) {
    ASSERT_LT(clock.elapsed(), 10'000) << "passes " << passes << ", quiet " << quiet;
    const long long before = ui.EventPasses();
    const std::size_t shownBefore = window.shown.size();
    const bool paints = ui.PaintsAtNextYield();
    ASSERT_EQ(ui.PaintsAtNextYield(), paints) << step;  // asked twice, one yield counted
    const std::string line = std::to_string(step);
    if (paints) ui.ShowProgress(line);
    ui.Yield();
    ASSERT_EQ(ui.EventPasses() - before, paints ? 1 : 0) << step;
    if (paints) {
      ++passes;
      ASSERT_EQ(window.shown.size(), shownBefore + 1) << step;
      EXPECT_EQ(window.shown.back(), line);
    } else {
      ++quiet;
      ASSERT_EQ(window.shown.size(), shownBefore) << step;
    }
  }
  // Yields without the question keep their own pace.
  ui.SetYieldInterval(0);
  const long long before = ui.EventPasses();
  for (int i = 0; i < 300; ++i) ui.Yield();
  EXPECT_GT(ui.EventPasses(), before);
}

}  // namespace
}  // namespace sfxtal::ui
