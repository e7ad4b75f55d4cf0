#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "importer/import_user_interface.h"

namespace sfxtal::test_support {

/// One thing the logic did towards the operator.
struct UiEvent {
  enum class Kind {
    kMessage,       // text: the message
    kQuestion,      // text: the question; the scripted answer follows as kAnswer
    kAnswer,        // text: "Yes" or "No"
    kSuffixDialog,  // text: Pointer, Date, Time, Mode, Freq, Callsign joined by TABs
    kLock,
    kUnlock,
    kProgress,  // text: the progress line
    kYield,
    kBusyPointer,
    kNormalPointer,
    kOpenFile,  // text: the path
    kEndProgram,
  };
  Kind kind;
  std::string text;

  bool operator==(const UiEvent&) const = default;
};

/// The user interface as tests see it: records everything in order and plays scripted answers.
class RecordingUi : public importer::ImportUserInterface {
 public:
  /// Answers for the Yes/No questions, in order. A question with none left fails the test.
  std::deque<bool> yesNoAnswers;
  /// For each suffix dialog, in order: the entries to type (each into an emptied entry, then
  /// Set) until one is accepted. When the entries run out, the dialog is skipped. A dialog with no
  /// script left fails the test and is skipped.
  std::deque<std::vector<std::string>> suffixAnswers;
  /// Set StopRequested once this many yields have happened (negative: never).
  int stopAfterYields = -1;
  bool stopRequested = false;
  /// Yields and progress lines are many; they are always counted, and kept as events only when
  /// these are set.
  bool recordYields = true;
  bool recordProgress = true;
  /// Called at every yield, once what must happen before window events has happened: what the
  /// window would show is then settled.
  std::function<void()> onEvents;

  std::vector<UiEvent> events;
  int yieldCount = 0;
  int progressCount = 0;
  std::string lastProgress;
  bool ended = false;

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  std::string AskSuffix(const importer::SuffixQuestion& question) override;
  void SetInputsLocked(bool locked) override;
  void ShowProgress(const importer::ImportProgress& progress) override;
  void SetBusyPointer(bool busy) override;
  void OpenFile(const std::filesystem::path& path) override;
  void EndProgram() override;
  bool StopRequested() const override { return stopRequested; }

  /// The texts of the events of one kind, in order.
  std::vector<std::string> Texts(UiEvent::Kind kind) const;
  std::vector<std::string> Messages() const { return Texts(UiEvent::Kind::kMessage); }
  std::vector<std::string> Questions() const { return Texts(UiEvent::Kind::kQuestion); }
  int Count(UiEvent::Kind kind) const;
  /// The events without yields and progress lines, for checking an order.
  std::vector<UiEvent> Dialogue() const;

 protected:
  /// Every yield lets events run.
  void LetEventsRun(const std::function<void()>* beforeEvents) override;
};

}  // namespace sfxtal::test_support
