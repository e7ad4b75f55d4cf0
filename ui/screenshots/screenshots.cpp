// sfxtal_screenshots OUT_FOLDER: pictures of the three windows for the README, drawn offscreen
// from the real widgets with the Japanese fonts: the main window, the suffix-setting dialog with
// an answer typed, and the results window after a read with a suffix looked up. Offscreen there
// is no window manager, so a plain title bar with the window's caption is drawn above each.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "app/spreadsheet_hand_over.h"
#include "importer/import_run.h"
#include "importer/suffix_dialog.h"
#include "logdb/band.h"
#include "logdb/log_database.h"
#include "logwriter/sample_log.h"
#include "platform/path_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "standin/stand_in_spreadsheet.h"
#include "ui/application_setup.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"
#include "ui/results_window.h"
#include "ui/suffix_dialog_window.h"

namespace {

using namespace sfxtal;

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

void Type(QWidget* target, const QString& text) {
  target->setFocus();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(target, &release);
  }
  Settle();
}

// The window's client area under a title bar of its caption, inside a thin border.
bool Save(QWidget& window, const QString& path) {
  Settle();
  const QPixmap client = window.grab();
  const int border = 1;
  const int titleHeight = 26;
  QPixmap framed(client.width() + 2 * border, client.height() + titleHeight + 2 * border);
  framed.fill(QColor(0x5a, 0x6b, 0x86));
  QPainter painter(&framed);
  QFont titleFont(QStringLiteral("IPAPGothic"), 10);
  titleFont.setBold(true);
  painter.setFont(titleFont);
  painter.setPen(Qt::white);
  painter.drawText(QRect(10, border, framed.width() - 20, titleHeight),
                   Qt::AlignVCenter | Qt::AlignLeft, window.windowTitle());
  painter.drawPixmap(border, border + titleHeight, client);
  painter.end();
  if (!framed.save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

// A program folder with a sample log, the results of its import, and a settings file that names
// the log where an operator would keep it.
bool PrepareFolder(const std::filesystem::path& folder) {
  const std::filesystem::path log = folder / "Tevrak.TDB";
  if (!logwriter::WriteSampleLog(log, 20000, 1)) return false;
  importer::QuietUserInterface silent;
  standin::StandInFactory spreadsheet(silent);
  logdb::FrequencyErrors errors;
  logdb::LogDatabase db(silent, errors);
  importer::ImportRun run(folder, silent, db,
                          [&] { app::ExcelX(silent, folder, app::kTallyMode, spreadsheet); }, {});
  importer::ImportRequest request;
  request.Path = platform::Utf8FromPath(log);
  if (run.Command2_Click(request) != importer::ImportOutcome::kFinished) return false;
  return platform::ReplaceFile(
      folder / "SFXTAL.INI",
      platform::EncodeCp932("[SFXTAL]\r\nTevrak=/home/operator/Tevrak/Tevrak.TDB\r\n諦め=*\r\n"));
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: sfxtal_screenshots OUT_FOLDER\n");
    return 2;
  }
  ui::SetUpApplication();
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  QTemporaryDir temp;
  const std::filesystem::path folder = temp.path().toStdString();
  if (!temp.isValid() || !PrepareFolder(folder)) {
    std::fprintf(stderr, "cannot prepare a program folder\n");
    return 1;
  }

  ui::QtUserInterface qtUi;
  standin::StandInFactory spreadsheet(qtUi);
  bool saved = true;

  ui::MainWindow mainWindow(folder, qtUi, spreadsheet);
  mainWindow.show();
  saved &= Save(mainWindow, out + "/main-window.png");

  importer::SuffixDialog dialog(qtUi,
                                {4711, "2003/08/16", "13:42J", "CW", "7.025", "QK7/QJ4WOV/P"});
  ui::SuffixDialogWindow dialogWindow(dialog);
  dialogWindow.show();
  if (QWidget* entry = dialogWindow.findChild<QWidget*>(QStringLiteral("Text1"))) {
    Type(entry, QStringLiteral("wov"));
  }
  saved &= Save(dialogWindow, out + "/suffix-dialog.png");
  dialogWindow.hide();

  ui::ResultsWindow resultsWindow(folder, qtUi, spreadsheet);
  resultsWindow.show();
  Settle();
  if (auto* read = resultsWindow.findChild<QPushButton*>(QStringLiteral("Command1"))) read->click();
  if (QWidget* lookup = resultsWindow.findChild<QWidget*>(QStringLiteral("Text1"))) {
    Type(lookup, QStringLiteral("aag"));
  }
  saved &= Save(resultsWindow, out + "/results-window.png");
  return saved ? 0 : 1;
}
