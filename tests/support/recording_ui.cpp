#include "tests/support/recording_ui.h"

#include <gtest/gtest.h>

#include "importer/suffix_dialog.h"
#include "platform/path_text.h"

namespace sfxtal::test_support {

using Kind = UiEvent::Kind;

void RecordingUi::ShowMessage(const std::string& text) {
  events.push_back({Kind::kMessage, text});
}

bool RecordingUi::AskYesNo(const std::string& text) {
  events.push_back({Kind::kQuestion, text});
  bool answer = false;
  if (yesNoAnswers.empty()) {
    ADD_FAILURE() << "unscripted question: " << text;
  } else {
    answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
  }
  events.push_back({Kind::kAnswer, answer ? "Yes" : "No"});
  return answer;
}

std::string RecordingUi::AskSuffix(const importer::SuffixQuestion& question) {
  importer::SuffixDialog dialog(*this, question);
  events.push_back({Kind::kSuffixDialog, dialog.Label2() + "\t" + dialog.Label3() + "\t" +
                                             dialog.Label4() + "\t" + dialog.Label5() + "\t" +
                                             dialog.Label6() + "\t" + dialog.Label7()});
  if (suffixAnswers.empty()) {
    ADD_FAILURE() << "unscripted suffix dialog for " << dialog.Label7();
    return {};
  }
  const std::vector<std::string> entries = suffixAnswers.front();
  suffixAnswers.pop_front();
  for (const std::string& entry : entries) {
    dialog.Text1.clear();
    dialog.Type(entry);
    if (dialog.Command1_Click()) return dialog.DialogSuffix();
  }
  dialog.Command2_Click();
  return {};
}

void RecordingUi::SetInputsLocked(bool locked) {
  events.push_back({locked ? Kind::kLock : Kind::kUnlock, {}});
}

void RecordingUi::ShowProgress(const importer::ImportProgress& progress) {
  ++progressCount;
  lastProgress = progress.Text();
  if (recordProgress) events.push_back({Kind::kProgress, lastProgress});
}

void RecordingUi::LetEventsRun(const std::function<void()>* beforeEvents) {
  ++yieldCount;
  if (beforeEvents != nullptr && *beforeEvents) (*beforeEvents)();
  if (onEvents) onEvents();
  if (recordYields) events.push_back({Kind::kYield, {}});
  if (stopAfterYields >= 0 && yieldCount >= stopAfterYields) stopRequested = true;
}

void RecordingUi::SetBusyPointer(bool busy) {
  events.push_back({busy ? Kind::kBusyPointer : Kind::kNormalPointer, {}});
}

void RecordingUi::OpenFile(const std::filesystem::path& path) {
  events.push_back({Kind::kOpenFile, platform::Utf8FromPath(path)});
}

void RecordingUi::EndProgram() {
  ended = true;
  events.push_back({Kind::kEndProgram, {}});
}

std::vector<std::string> RecordingUi::Texts(UiEvent::Kind kind) const {
  std::vector<std::string> texts;
  for (const auto& event : events) {
    if (event.kind == kind) texts.push_back(event.text);
  }
  return texts;
}

int RecordingUi::Count(UiEvent::Kind kind) const {
  int count = 0;
  for (const auto& event : events) count += event.kind == kind ? 1 : 0;
  if (kind == Kind::kYield && !recordYields) return yieldCount;
  if (kind == Kind::kProgress && !recordProgress) return progressCount;
  return count;
}

std::vector<UiEvent> RecordingUi::Dialogue() const {
  std::vector<UiEvent> dialogue;
  for (const auto& event : events) {
    if (event.kind != Kind::kYield && event.kind != Kind::kProgress) dialogue.push_back(event);
  }
  return dialogue;
}

}  // namespace sfxtal::test_support
