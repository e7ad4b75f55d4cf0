#include "ui/suffix_dialog_window.h"

#include "import/suffix_dialog.h"

namespace sfxtal::ui {

SuffixDialogWindow::SuffixDialogWindow(import::SuffixDialog& dialog, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
  setWindowTitle(QStringLiteral("サフィックスの設定"));
}

}  // namespace sfxtal::ui
