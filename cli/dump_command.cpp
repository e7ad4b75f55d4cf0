#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "logdb/log_database.h"

namespace sfxtal::cli {

int RunDumpCommand(Invocation& invocation) {
  if (invocation.args.size() != 1 || invocation.args[0].empty()) {
    invocation.err << "usage: sfxtal-cli dump LOG\n";
    return kExitUsage;
  }
  TerminalUi ui(invocation.in, invocation.err);
  logdb::FrequencyErrors errors;
  logdb::LogDatabase db(ui, errors);
  db.DbPath = invocation.args[0];
  if (!db.OpenLogDatabase()) {
    // A broken log has had its message from the reader already.
    if (db.LastOpenFailure() == logdb::OpenFailure::kMissing) {
      ui.ShowMessage("Tevrak.TDB が見つかりません");
    }
    return kExitError;
  }

  std::string line;
  for (std::int32_t pointer = 1; pointer <= db.RecordCount(); ++pointer) {
    db.Pointer = pointer;
    if (!db.ReadQso()) {
      if (db.ProgramEnded()) {
        invocation.out << std::flush;
        return kExitAborted;
      }
      break;  // the rest of the log is not in the file
    }
    const logdb::QsoRecord& qso = db.Qso;
    line = std::to_string(pointer);
    for (const std::string* field :
         {&qso.Calls, &qso.Ign, &qso.Date, &qso.Time, &qso.Qsl3, &qso.Freq, &qso.Mode}) {
      line += '\t';
      line += EscapeField(*field);
    }
    line += '\t';
    line += EscapeField(db.Band());
    line += '\n';
    invocation.out << line;
  }
  db.CloseLogDatabase();
  invocation.out << std::flush;
  return kExitDone;
}

}  // namespace sfxtal::cli
