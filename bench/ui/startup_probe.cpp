// The start of sfxtal as an operator sees it, ended as soon as the main window is on the screen:
// the same steps as the program's entry (application, program folder, instance lock, stand-in,
// main window), then an exit at the window's first expose. With "--bare" it shows an empty
// QWidget instead, Qt's own floor for a process that puts up a window.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <cstring>

#include "platform/program_folder.h"
#include "standin/stand_in_spreadsheet.h"
#include "ui/application_setup.h"
#include "ui/instance_lock.h"
#include "ui/main_window.h"
#include "ui/qt_user_interface.h"

namespace {

// Quits at the first expose: the window has been mapped and is about to paint.
class QuitWhenShown : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose || event->type() == QEvent::Paint) QApplication::exit(0);
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QuitWhenShown quit;
  if (argc > 1 && std::strcmp(argv[1], "--bare") == 0) {
    QWidget window;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
  }
  sfxtal::ui::SetUpApplication();
  const std::filesystem::path programFolder = sfxtal::platform::ProgramFolder();
  const auto lock = sfxtal::ui::TakeInstanceLock(programFolder);
  if (lock == nullptr) return 1;
  sfxtal::ui::QtUserInterface ui;
  sfxtal::standin::StandInFactory spreadsheet(ui);
  sfxtal::ui::MainWindow window(programFolder, ui, spreadsheet);
  window.installEventFilter(&quit);
  window.show();
  return QApplication::exec();
}
