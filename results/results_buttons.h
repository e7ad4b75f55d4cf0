#pragma once

#include <functional>

namespace sfxtal::results {

/// Which of the results window's controls are enabled: the read button Command1, the output
/// button Command3 and the lookup box Text1.
struct ResultsControls {
  bool command1 = true;
  bool command3 = false;
  bool text1 = false;

  bool operator==(const ResultsControls&) const = default;
};

/// The results window's controls through its life: opened, reading, read or not found, and the
/// award output. The window asks it what to enable and is told of every change as it happens, so
/// that a control is disabled before the step that must not be disturbed yields to the events.
class ResultsButtons {
 public:
  using Changed = std::function<void(const ResultsControls&)>;

  /// The window opened: the read is offered, the output only when nebu.xls is in the program
  /// folder, the lookup box waits for a read.
  explicit ResultsButtons(bool awardBookPresent);

  /// Called after each change from now on.
  void OnChanged(Changed changed) { changed_ = std::move(changed); }
  const ResultsControls& Controls() const { return controls_; }

  /// Command1 clicked: neither a second read nor an output while the file is read.
  void ReadStarted();
  /// The read came through: the lookup box and the output are offered; a further read waits for
  /// an output.
  void ReadCompleted();
  /// There was no results file: both buttons stay disabled, only closing remains.
  void ResultsMissing();

  /// Command3 clicked: both buttons disabled, `output` (Nebu_excel) run, the read offered again.
  /// The output stays disabled until the next read completes, whatever came of it.
  void RunOutput(const std::function<void()>& output);

 private:
  void Set(bool command1, bool command3, bool text1);

  ResultsControls controls_;
  Changed changed_;
};

}  // namespace sfxtal::results
