#pragma once

#include <string_view>
#include <vector>

#include "app/window_places.h"
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

/// A font by name and size in points, as the windows ask for them.
struct FontChoice {
  const wchar_t* face = L"ＭＳ Ｐゴシック";
  double points = 9;
};

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
  /// The window's outer size, and the size of the screen it is on, in twips: what a window
  /// centres itself by.
  app::SizeTwips OuterSize() const;
  app::SizeTwips ScreenSize() const;
  /// Moves the window's outer top-left corner to a place given in twips (kept within the
  /// positions a window can take).
  void MoveToTwips(double left, double top);

 protected:
  /// Makes the window, hidden, with its client area `clientWidth` × `clientHeight` twips.
  void CreateForm(const wchar_t* caption, DWORD style, HWND owner, double clientWidth,
                  double clientHeight);
  /// A control in tab order (creation order): its text, tooltip (none when empty) and font.
  HWND AddControl(const wchar_t* className, std::wstring_view text, DWORD style, const Place& place,
                  std::wstring_view tooltip = {}, FontChoice font = {});
  /// Moves a control that the window resizes itself; its place is kept for a change of DPI.
  void SetControlPlace(HWND control, const Place& place);
  const Place& ControlPlace(HWND control) const;

  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  /// Destroys the window and its controls; derived windows call it first in their destructor, so
  /// that no message of the destruction reaches a half-destroyed object.
  void DestroyForm();

 private:
  struct Control {
    HWND handle;
    Place place;
    FontChoice font;
  };
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HFONT FontFor(const FontChoice& font);
  void Layout();
  void ClearFonts();

  HWND window_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND lastFocus_ = nullptr;
  double clientWidth_ = 0, clientHeight_ = 0;
  std::vector<Control> controls_;
  struct MadeFont {
    FontChoice choice;
    HFONT handle;
  };
  std::vector<MadeFont> fonts_;
};

/// Sets or reads a window's text as the program's UTF-8.
void SetText(HWND window, std::string_view utf8);
std::string GetText(HWND window);

}  // namespace sfxtal::win32
