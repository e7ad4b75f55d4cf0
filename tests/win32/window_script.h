#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "win32/win32_api.h"

namespace sfxtal::test_support {

/// Steps run one after the other from a timer, inside whatever message loop is running (a message
/// box's, a dialog's, the test's own): a step returns true when it is done, false to be tried
/// again on the next tick.
class WindowScript {
 public:
  using Step = std::function<bool()>;
  explicit WindowScript(std::vector<Step> steps);
  ~WindowScript();
  bool Finished() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND window, UINT, UINT_PTR id, DWORD);
  HWND timerWindow_;
  std::vector<Step> steps_;
  std::size_t next_ = 0;
};

/// A message box or dialog as the operator saw it.
struct SeenBox {
  std::string caption, text;
  bool icon = false;
  int defaultButton = 0;
};

/// A step: answers the next visible dialog of this thread with `button`, recording it.
WindowScript::Step Answer(int button, std::vector<SeenBox>& seen);
/// Runs messages until the script is finished (or 20 s have passed).
void RunUntilFinished(const WindowScript& script);
/// Takes back the quit that an ended program posted, so that later loops run.
void DropQuit();
/// Each character sent to the control as typed.
void Type(HWND control, std::wstring_view keys);
/// Pixels of pure red (255, 0, 0) in `area` of the control as it draws itself (WM_PRINT).
int RedPixels(HWND control, const RECT& area);
/// The horizontal middle of the dark (text) pixels in `area` of the control as it draws itself,
/// or -1 when there are none.
double InkMiddle(HWND control, const RECT& area);

}  // namespace sfxtal::test_support
