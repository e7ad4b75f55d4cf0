#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "logdb/log_database.h"
#include "logdb/log_texts.h"

namespace sfxtal::cli {

int RunDumpCommand(Invocation& invocation) {
  if (invocation.args.size() != 1 || invocation.args[0].empty()) {
    return CommandUsage(invocation.err, "dump");
  }
  TerminalUi ui(invocation.in, invocation.err);
  logdb::FrequencyErrors errors;
  logdb::LogDatabase db(ui, errors);
  if (!db.OpenLogDatabase(invocation.args[0])) {
    // A broken log has had its message from the reader already.
    if (db.LastOpenFailure() == logdb::OpenFailure::kMissing) {
      ui.ShowMessage(std::string(logdb::kLogMissingMessage));
    }
    return kExitError;
  }

  std::string line;
  logdb::CurrentQso current;
  for (current.Pointer = 1; current.Pointer <= db.RecordCount(); ++current.Pointer) {
    if (!db.ReadQso(current)) {
      if (db.ProgramEnded()) {
        invocation.out << std::flush;
        return kExitAborted;
      }
      break;  // the rest of the log is not in the file
    }
    const logdb::QsoRecord& qso = current.Qso;
    line = std::to_string(current.Pointer);
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
