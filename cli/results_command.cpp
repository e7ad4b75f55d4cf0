#include <ostream>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "results/results_check.h"
#include "results/results_file.h"
#include "results/totals.h"
#include "standin/stand_in_spreadsheet.h"

namespace sfxtal::cli {

int RunResultsCommand(Invocation& invocation) {
  std::filesystem::path folder;
  bool list = false;
  if (!ParseFolderAndFlag(invocation.args, "--list", folder, list)) {
    return CommandUsage(invocation.err, "results");
  }

  // A run ended while replacing 実績.txt is finished or undone before the file is read.
  standin::RecoverProgramFolder(folder);
  TerminalUi ui(invocation.in, invocation.err);
  results::ResultsTable table;
  results::ResultRowCallback onRow;
  if (list) {
    onRow = [&out = invocation.out](int, const results::ResultRow& row) {
      out << EscapeField(row.suffix) << '\t' << EscapeField(row.detail1) << '\t'
          << EscapeField(row.detail2) << '\t' << (row.unconfirmed ? "red" : "black") << '\n';
    };
  }
  const auto read = results::ReadResultsFile(folder, ui, table, onRow);
  if (!read) return kExitError;
  invocation.out << results::CaptionWithTotals(results::kResultsCaption, read->ConfirmedCount)
                 << '\n';
  invocation.out.flush();
  // The totals stand as read; a file the application would refuse is named after them.
  results::WarnIfResultsFileUnsound(ui, folder);
  return kExitDone;
}

}  // namespace sfxtal::cli
