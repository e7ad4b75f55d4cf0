// show_results_window FOLDER: opens the results window alone on a program folder, over the
// spreadsheet stand-in, to try it by hand or take a picture of it without going through the main
// window. Closing it ends the program as on the results road.
#include <QApplication>
#include <cstdio>

#include "standin/stand_in_spreadsheet.h"
#include "ui/qt_user_interface.h"
#include "ui/results_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: show_results_window FOLDER\n");
    return 2;
  }
  sfxtal::ui::QtUserInterface ui;
  sfxtal::standin::StandInFactory spreadsheet(ui);
  sfxtal::ui::ResultsWindow window(argv[1], ui, spreadsheet);
  window.show();
  return QApplication::exec();
}
