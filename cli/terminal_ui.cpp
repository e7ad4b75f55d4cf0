#include "cli/terminal_ui.h"

#include <istream>
#include <ostream>

#include "importer/suffix_dialog.h"
#include "platform/desktop.h"

namespace sfxtal::cli {
namespace {

constexpr std::string_view kYesNoHint = "（はい: y または空行、いいえ: n）";

}  // namespace

std::string EscapeField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\\':
        out += "\\\\";
        break;
      default:
        out += c;
    }
  }
  return out;
}

TerminalUi::TerminalUi(std::istream& in, std::ostream& err, bool openFiles)
    : in_(in), err_(err), openFiles_(openFiles) {}

bool TerminalUi::ReadAnswer(std::string& line) {
  if (!std::getline(in_, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void TerminalUi::ShowMessage(const std::string& text) {
  err_ << text << '\n' << std::flush;
}

bool TerminalUi::AskYesNo(const std::string& text) {
  // An empty line is the window's default button, はい; the end of input is いいえ, so that a
  // script that has run out of answers never stops a job it did not mean to.
  err_ << text << '\n' << kYesNoHint << '\n' << std::flush;
  std::string line;
  return ReadAnswer(line) && (line.empty() || line[0] == 'y' || line[0] == 'Y');
}

std::string TerminalUi::AskSuffix(const importer::SuffixQuestion& question) {
  importer::SuffixDialog dialog(*this, question);
  for (;;) {
    err_ << importer::SuffixDialog::kCaption << '\t' << EscapeField(dialog.Label2()) << '\t'
         << EscapeField(dialog.Label3()) << '\t' << EscapeField(dialog.Label4()) << '\t'
         << EscapeField(dialog.Label5()) << '\t' << EscapeField(dialog.Label6()) << '\t'
         << EscapeField(dialog.Label7()) << '\n'
         << std::flush;
    std::string line;
    if (!ReadAnswer(line) || line.empty()) {
      dialog.Command2_Click();
      return {};
    }
    dialog.Text1.clear();
    dialog.Type(line);
    if (dialog.Command1_Click()) return dialog.DialogSuffix();
  }
}

void TerminalUi::OpenFile(const std::filesystem::path& path) {
  if (openFiles_) platform::OpenWithDesktop(path);
}

}  // namespace sfxtal::cli
