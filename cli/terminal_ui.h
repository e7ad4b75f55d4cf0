#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "importer/import_user_interface.h"

namespace sfxtal::cli {

/// Exit statuses of sfxtal-cli.
enum ExitStatus : int {
  kExitDone = 0,
  kExitError = 1,
  kExitUsage = 2,
  kExitAborted = 3,  // the operator chose to abort at the frequency-error question
};

/// A printed field with TAB, CR, LF and backslash written as \t, \r, \n and \\.
std::string EscapeField(std::string_view text);

/// The user interface on a terminal: messages and questions on stderr, answers from stdin.
class TerminalUi : public importer::ImportUserInterface {
 public:
  TerminalUi(std::istream& in, std::ostream& err, bool openFiles = false);

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  std::string AskSuffix(const importer::SuffixQuestion& question) override;
  void OpenFile(const std::filesystem::path& path) override;
  void EndProgram() override { ended_ = true; }

  /// True once the logic has ended the program (the abort at the frequency-error question).
  bool Ended() const override { return ended_; }

 private:
  bool ReadAnswer(std::string& line);

  std::istream& in_;
  std::ostream& err_;
  bool openFiles_;
  bool ended_ = false;
};

}  // namespace sfxtal::cli
