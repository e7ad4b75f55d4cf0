#include <ostream>
#include <string>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "logdb/log_kind.h"

namespace sfxtal::cli {

int RunDumpCommand(Invocation& invocation) {
  if (invocation.args.size() != 1 || invocation.args[0].empty()) {
    return CommandUsage(invocation.err, "dump");
  }
  TerminalUi ui(invocation.in, invocation.err);
  logdb::FrequencyErrors errors;
  const auto log = logdb::MakeLogSource(invocation.args[0], ui, errors);
  logdb::LogSource& db = *log;
  if (!db.OpenLogDatabase(invocation.args[0])) {
    // A broken log has had its message from the reader already.
    if (db.LastOpenFailure() == logdb::OpenFailure::kMissing) {
      ui.ShowMessage(std::string(db.MissingMessage()));
    }
    return kExitError;
  }

  std::string line;
  logdb::CurrentQso current;
  // Every record the log delivers, to the first read that finds none (past the last record, or
  // the rest of the log is not in the file).
  for (current.Pointer = 1; db.ReadQso(current); ++current.Pointer) {
    const logdb::QsoRecord& qso = current.Qso;
    line = std::to_string(current.Pointer);
    for (const std::string_view* field :
         {&qso.Calls, &qso.Ign, &qso.Date, &qso.Time, &qso.Qsl3, &qso.Freq, &qso.Mode}) {
      line += '\t';
      line += EscapeField(db.TextOf(*field));
    }
    line += '\t';
    line += EscapeField(qso.Band);
    line += '\n';
    invocation.out << line;
  }
  if (db.ProgramEnded()) {
    invocation.out << std::flush;
    return kExitAborted;
  }
  db.CloseLogDatabase();
  invocation.out << std::flush;
  const std::string leftOut = db.LeftOutMessage();
  if (!leftOut.empty()) ui.ShowMessage(leftOut);
  return kExitDone;
}

}  // namespace sfxtal::cli
