#include "importer/suffix_dialog.h"

#include "importer/import_texts.h"
#include "platform/text_codec.h"

namespace sfxtal::importer {

SuffixDialog::SuffixDialog(platform::UserInterface& ui, const importer::SuffixQuestion& question)
    : ui_(ui),
      callsign_(question.Callsign),
      label2_(std::to_string(question.Pointer)),
      label3_(question.Date),
      label4_(question.Time),
      label5_(question.Mode),
      label6_(question.Freq),
      label7_(question.Callsign) {}

std::optional<char32_t> SuffixDialog::FilterKey(char32_t key) {
  if (key == 8) return key;
  if (key >= 'a' && key <= 'z') return key - 32;
  if (key >= 'A' && key <= 'Z') return key;
  return std::nullopt;
}

void SuffixDialog::Type(const std::string& keys) {
  for (char c : keys) {
    const auto kept = FilterKey(static_cast<unsigned char>(c));
    if (!kept) continue;
    if (*kept == 8) {
      const auto count = platform::CharacterCount(Text1);
      if (count > 0) Text1 = std::string(platform::LeftCharacters(Text1, count - 1));
    } else {
      Text1 += static_cast<char>(*kept);
    }
  }
}

bool SuffixDialog::Command1_Click() {
  const std::size_t length = platform::CharacterCount(Text1);
  if (length == 0) {
    ui_.ShowMessage(std::string(importer::kNoSuffixMessage));
    return false;
  }
  if (length > 3) {
    ui_.ShowMessage(std::string(importer::kSuffixLengthMessage));
    return false;
  }
  if (!callsign_.empty()) {
    bool matched = false;
    std::size_t start = 0;
    while (!matched) {
      const std::size_t slash = callsign_.find('/', start);
      const std::string_view part = std::string_view(callsign_).substr(
          start, slash == std::string::npos ? slash : slash - start);
      matched = platform::RightCharacters(part, length) == Text1;
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
    if (!matched) {
      ui_.ShowMessage(std::string(importer::kWrongSuffixMessage));
      return false;
    }
  }
  dialogSuffix_ = Text1;
  return true;
}

void SuffixDialog::Command2_Click() {
  dialogSuffix_.clear();
}

}  // namespace sfxtal::importer
