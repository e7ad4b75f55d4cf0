#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "app/spreadsheet_hand_over.h"
#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "importer/import_run.h"
#include "logdb/log_kind.h"
#include "standin/spreadsheet_choice.h"
#include "standin/stand_in_spreadsheet.h"
#include "standin/standin_texts.h"

namespace sfxtal::cli {
namespace {

// "Y-M-D" cut at "-" into three date-box texts, used as typed.
bool SplitDate(std::string_view text, std::string* boxes) {
  const std::size_t first = text.find('-');
  if (first == std::string_view::npos) return false;
  const std::size_t second = text.find('-', first + 1);
  if (second == std::string_view::npos || text.find('-', second + 1) != std::string_view::npos) {
    return false;
  }
  boxes[0] = text.substr(0, first);
  boxes[1] = text.substr(first + 1, second - first - 1);
  boxes[2] = text.substr(second + 1);
  return true;
}

// What the tally changed against the results it replaced: the two counts, or why there are none.
void PrintTallyChanges(std::ostream& out, const standin::ChangeCounts& changes) {
  using State = standin::EarlierResults::State;
  if (changes.earlier == State::kRead) {
    out << standin::kNewlyConfirmedText << ' ' << changes.newlyConfirmed << "、"
        << standin::kNewlyWorkedText << ' ' << changes.newlyWorked << '\n';
  } else {
    out << (changes.earlier == State::kMissing ? standin::kNoEarlierResultsText
                                               : standin::kUnsoundEarlierResultsText)
        << '\n';
  }
}

}  // namespace

int RunImportCommand(Invocation& invocation) {
  const auto& args = invocation.args;
  std::string folder;
  bool haveFolder = false;
  bool haveLog = false;
  bool open = false;
  importer::ImportRequest request;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--folder" && hasValue) {
      folder = args[++i];
      haveFolder = true;
    } else if (arg == "--from" && hasValue) {
      if (!SplitDate(args[++i], &request.DateBoxes[0]))
        return CommandUsage(invocation.err, "import");
    } else if (arg == "--to" && hasValue) {
      if (!SplitDate(args[++i], &request.DateBoxes[3]))
        return CommandUsage(invocation.err, "import");
    } else if (arg == "--marks" && hasValue) {
      request.GiveUpMarks = args[++i];
    } else if (arg == "--ask") {
      request.AskUndeterminable = true;
    } else if (arg == "--open") {
      open = true;
    } else if (arg.starts_with("--") || haveLog) {
      return CommandUsage(invocation.err, "import");
    } else {
      request.Path = arg;
      haveLog = true;
    }
  }
  if (!haveFolder || folder.empty() || !haveLog) return CommandUsage(invocation.err, "import");

  TerminalUi ui(invocation.in, invocation.err, open);
  logdb::FrequencyErrors errors;
  // The hand-over tallies the work file into the results; the program ends after the command.
  app::HandOverResult handOver = app::HandOverResult::kNotStarted;
  const std::filesystem::path programFolder = ProgramFolderArgument(folder);
  standin::RecoverProgramFolder(programFolder);
  standin::SpreadsheetChoice spreadsheet(ui);
  const auto tally = [&] {
    handOver = app::ExcelX(ui, programFolder, app::kTallyMode, spreadsheet);
  };
  const auto log = logdb::MakeLogSource(request.Path, ui, errors);
  importer::ImportRun run(programFolder, ui, *log, tally, {});
  switch (run.Command2_Click(request)) {
    case importer::ImportOutcome::kFinished:
      invocation.out << run.LinesWritten() << " lines written\n";
      if (spreadsheet.TallyChanges())
        PrintTallyChanges(invocation.out, *spreadsheet.TallyChanges());
      // A tally that could not be written has said so; the job did not end well.
      return handOver == app::HandOverResult::kDone ? kExitDone : kExitError;
    case importer::ImportOutcome::kAborted:
      return kExitAborted;
    case importer::ImportOutcome::kStopped:
    case importer::ImportOutcome::kNotStarted:
    case importer::ImportOutcome::kOpenFailed:
    case importer::ImportOutcome::kWriteFailed:
      break;
  }
  return kExitError;
}

}  // namespace sfxtal::cli
