#include "ui/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <string>
#include <vector>

#include "tests/ui/modal_answerer.h"

namespace sfxtal::ui {
namespace {

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
