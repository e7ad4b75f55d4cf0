#pragma once

#include <string_view>
#include <vector>

#include "app/window_places.h"
#include "platform/form_description.h"
#include "win32/win32_api.h"

namespace sfxtal::win32 {

/// A control's place in twips: left, top, width, height within the window's client area.
struct Place {
  double left = 0, top = 0, width = 0, height = 0;
};

/// A place given within a frame, moved into the window's client area.
constexpr Place Inside(const Place& frame, const Place& place) {
  return {frame.left + place.left, frame.top + place.top, place.width, place.height};
}

/// One of the program's windows: a top-level window whose controls keep their places in twips at
/// the window's DPI, laid out again when the window moves to a screen of another DPI, with their
/// fonts by name and their tooltips. The window procedure reaches the object through
/// GWLP_USERDATA and hands every message to OnMessage.
class FormWindow {
 public:
  FormWindow() = default;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  virtual ~FormWindow();

  HWND Handle() const { return window_; }
  /// The window's DPI, 96 where the system cannot tell per window.
  unsigned Dpi() const;
  int Pixels(double twips) const;
  double Twips(int pixels) const;
  /// The window's outer rectangle (border and caption included), in screen pixels.
  RECT OuterRect() const;
  /// The outer rectangle the window has when it is not minimised: what its stored place is.
  RECT NormalOuterRect() const;
  /// The window's outer size, and the size of the screen it is on, in twips: what a window
  /// centres itself by.
  app::SizeTwips OuterSize() const;
  app::SizeTwips ScreenSize() const;
  /// Moves the window's outer top-left corner to a place given in twips (kept within the
  /// positions a window can take).
  void MoveToTwips(double left, double top);

 protected:
  /// Makes the window, hidden, from its description: its caption and client area, then its
  /// controls in order (the tab order), each of its kind's class and style, placed within its
  /// frame, with its caption, tooltip and font. Option buttons in a row are one group.
  void CreateForm(const platform::FormDescription& form, DWORD style, HWND owner);
  /// A control the description made, by its name.
  HWND Control(std::string_view name) const;
  /// Moves a control that the window resizes itself; its place is kept for a change of DPI.
  void SetControlPlace(HWND control, const Place& place);
  const Place& ControlPlace(HWND control) const;

  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  /// Destroys the window and its controls; derived windows call it first in their destructor, so
  /// that no message of the destruction reaches a half-destroyed object.
  void DestroyForm();

 private:
  struct MadeControl {
    std::string_view name;
    HWND handle;
    Place place;
    platform::FontDescription font;
  };
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND AddControl(const platform::ControlDescription& control, DWORD style, const Place& place);
  HFONT FontFor(const platform::FontDescription& font);
  void Layout();
  void ClearFonts();

  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND lastFocus_ = nullptr;
  double clientWidth_ = 0, clientHeight_ = 0;
  std::vector<MadeControl> controls_;
  struct MadeFont {
    platform::FontDescription choice;
    HFONT handle;
  };
  std::vector<MadeFont> fonts_;
};

/// Sets or reads a window's text as the program's UTF-8.
void SetText(HWND window, std::string_view utf8);
std::string GetText(HWND window);

}  // namespace sfxtal::win32
