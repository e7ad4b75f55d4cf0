// The main of the window tests: GoogleTest inside a QApplication set up as the program's is,
// offscreen unless the caller chose a platform, so the tests run without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "ui/application_setup.h"

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  sfxtal::ui::SetUpApplication();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
