#pragma once

#include <optional>
#include <string>

#include "importer/import_user_interface.h"

namespace sfxtal::importer {

/// The suffix-setting dialog without its window: what it shows, its key filter, Set and Skip.
/// The window (or the terminal, or a test) types into Text1 and presses the buttons; the answer
/// is DialogSuffix.
class SuffixDialog {
 public:
  /// Form_Load: fills the labels from the QSO asked about, empties the entry and DialogSuffix.
  SuffixDialog(platform::UserInterface& ui, const SuffixQuestion& question);

  static constexpr const char* kCaption = "サフィックスの設定";

  // What the labels show.
  const std::string& Label2() const { return label2_; }  // Pointer
  const std::string& Label3() const { return label3_; }  // Date
  const std::string& Label4() const { return label4_; }  // Time
  const std::string& Label5() const { return label5_; }  // Mode
  const std::string& Label6() const { return label6_; }  // Freq
  const std::string& Label7() const { return label7_; }  // Callsign

  /// Text1_KeyPress: the character a typed key becomes, or nothing when it is dropped. Backspace
  /// (8) passes; a-z become A-Z; A-Z pass.
  static std::optional<char32_t> FilterKey(char32_t key);

  /// The entry's text. The window keeps it in step with its text box.
  std::string Text1;
  /// Types keys at the end of the entry through the key filter (Backspace removes the last one).
  void Type(const std::string& keys);

  /// Set: checks the entry; shows one of the three messages and returns false, or accepts it
  /// into DialogSuffix and returns true (the dialog closes).
  bool Command1_Click();
  /// Skip: DialogSuffix stays empty. Any other close of the dialog is the same.
  void Command2_Click();

  const std::string& DialogSuffix() const { return dialogSuffix_; }

 private:
  platform::UserInterface& ui_;
  std::string dialogSuffix_;
  std::string callsign_;
  std::string label2_, label3_, label4_, label5_, label6_, label7_;
};

}  // namespace sfxtal::importer
