#include "results/results_buttons.h"

namespace sfxtal::results {

ResultsButtons::ResultsButtons(bool awardBookPresent) {
  controls_.command3 = awardBookPresent;
}

void ResultsButtons::Set(bool command1, bool command3, bool text1) {
  controls_ = {command1, command3, text1};
  if (changed_) changed_(controls_);
}

void ResultsButtons::ReadStarted() {
  Set(false, false, controls_.text1);
}

void ResultsButtons::ReadCompleted() {
  Set(false, true, true);
}

void ResultsButtons::ResultsMissing() {
  Set(false, false, controls_.text1);
}

void ResultsButtons::RunOutput(const std::function<void()>& output) {
  Set(false, false, controls_.text1);
  output();
  Set(true, false, controls_.text1);
}

}  // namespace sfxtal::results
