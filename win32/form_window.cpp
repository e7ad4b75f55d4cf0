#include "win32/form_window.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/twips.h"
#include "platform/wide_text_windows.h"

namespace sfxtal::win32 {
namespace {

constexpr const wchar_t* kFormClass = L"SfxTalForm";
constexpr unsigned kDefaultDpi = 96;

// The per-window DPI calls came with Windows 10; looked up at run time, so that the program still
// starts, at the system's DPI, where they are missing.
template <typename Function>
Function User32(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

unsigned WindowDpi(HWND window) {
  using GetDpi = UINT(WINAPI*)(HWND);
  static const GetDpi getDpi = User32<GetDpi>("GetDpiForWindow");
  if (getDpi != nullptr && window != nullptr) {
    const UINT dpi = getDpi(window);
    if (dpi != 0) return dpi;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<unsigned>(dpi) : kDefaultDpi;
}

void AdjustForDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi) {
  using Adjust = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const Adjust adjust = User32<Adjust>("AdjustWindowRectExForDpi");
  if (adjust == nullptr || !adjust(&rect, style, FALSE, exStyle, dpi)) {
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
  }
}

void RegisterFormClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW formClass{};
    formClass.cbSize = sizeof formClass;
    formClass.lpfnWndProc = procedure;
    formClass.hInstance = GetModuleHandleW(nullptr);
    // The program's icon, where the executable carries one.
    formClass.hIcon = LoadIconW(formClass.hInstance, MAKEINTRESOURCEW(1));
    formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    formClass.lpszClassName = kFormClass;
    return RegisterClassExW(&formClass) != 0;
  }();
  (void)registered;
}

}  // namespace

FormWindow::~FormWindow() {
  DestroyForm();
  ClearFonts();
}

void FormWindow::DestroyForm() {
  if (window_ != nullptr) DestroyWindow(window_);
  window_ = nullptr;
  controls_.clear();
}

unsigned FormWindow::Dpi() const {
  return WindowDpi(window_);
}

int FormWindow::Pixels(double twips) const {
  return platform::TwipsToPixels(twips, Dpi());
}

double FormWindow::Twips(int pixels) const {
  return platform::PixelsToTwips(pixels, Dpi());
}

RECT FormWindow::OuterRect() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return rect;
}

RECT FormWindow::NormalOuterRect() const {
  // A minimised window stands at -32000; the place it comes back to is the one to keep.
  if (!IsIconic(window_)) return OuterRect();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window_, &placement)) return OuterRect();
  // Given in the work area's coordinates: moved by where the work area stands on its monitor.
  RECT rect = placement.rcNormalPosition;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor)) {
    OffsetRect(&rect, monitor.rcWork.left - monitor.rcMonitor.left,
               monitor.rcWork.top - monitor.rcMonitor.top);
  }
  return rect;
}

app::SizeTwips FormWindow::OuterSize() const {
  const RECT outer = OuterRect();
  return {Twips(outer.right - outer.left), Twips(outer.bottom - outer.top)};
}

app::SizeTwips FormWindow::ScreenSize() const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  return {Twips(monitor.rcMonitor.right - monitor.rcMonitor.left),
          Twips(monitor.rcMonitor.bottom - monitor.rcMonitor.top)};
}

void FormWindow::MoveToTwips(double left, double top) {
  // A stored number can be far off any screen; window positions are 16-bit on the way.
  const auto position = [this](double twips) { return std::clamp(Pixels(twips), -32000, 32000); };
  SetWindowPos(window_, nullptr, position(left), position(top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::CreateForm(const platform::FormDescription& form, DWORD style, HWND owner) {
  RegisterFormClass(&FormWindow::Procedure);
  clientWidth_ = form.clientWidth;
  clientHeight_ = form.clientHeight;
  // WS_EX_CONTROLPARENT: Tab walks the controls as in a dialog.
  CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, platform::WideFromUtf8(form.caption).c_str(),
                  style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                  GetModuleHandleW(nullptr), this);
  RECT outer{0, 0, Pixels(clientWidth_), Pixels(clientHeight_)};
  AdjustForDpi(outer, style, WS_EX_CONTROLPARENT, Dpi());
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                             nullptr, GetModuleHandleW(nullptr), nullptr);

  bool afterOption = false;
  for (const platform::ControlDescription& control : form.controls) {
    const bool option = control.kind == platform::ControlKind::kOptionButton;
    DWORD controlStyle = 0;
    switch (control.kind) {
      case platform::ControlKind::kFrame:
        controlStyle = BS_GROUPBOX;
        break;
      case platform::ControlKind::kTextBox:
        controlStyle = WS_BORDER | ES_AUTOHSCROLL;
        break;
      case platform::ControlKind::kCommandButton:
        controlStyle = BS_PUSHBUTTON;
        break;
      case platform::ControlKind::kLabel:
        controlStyle = SS_LEFT | SS_NOPREFIX;
        break;
      case platform::ControlKind::kOptionButton:
        controlStyle = BS_AUTORADIOBUTTON;
        break;
      case platform::ControlKind::kGrid:
        // An owner-data report: the window gives the texts of the rows it shows.
        controlStyle = WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                       LVS_SHOWSELALWAYS;
        break;
    }
    // A row of option buttons is one group, which Tab enters once and the arrow keys walk; the
    // control after it starts the next group.
    if (control.tabStop && (!option || !afterOption)) controlStyle |= WS_TABSTOP;
    if (option != afterOption) controlStyle |= WS_GROUP;
    afterOption = option;
    Place place{control.left, control.top, control.width, control.height};
    if (!control.container.empty()) {
      for (const MadeControl& known : controls_) {
        if (known.name == control.container) place = Inside(known.place, place);
      }
    }
    AddControl(control, controlStyle, place);
  }
}

HWND FormWindow::Control(std::string_view name) const {
  for (const MadeControl& known : controls_) {
    if (known.name == name) return known.handle;
  }
  return nullptr;
}

HWND FormWindow::AddControl(const platform::ControlDescription& description, DWORD style,
                            const Place& place) {
  static constexpr const wchar_t* kClassOfKind[] = {WC_BUTTONW, WC_EDITW,   WC_BUTTONW,
                                                    WC_STATICW, WC_BUTTONW, WC_LISTVIEWW};
  HWND control = CreateWindowExW(0, kClassOfKind[static_cast<int>(description.kind)],
                                 platform::WideFromUtf8(description.caption).c_str(),
                                 WS_CHILD | WS_VISIBLE | style, Pixels(place.left),
                                 Pixels(place.top), Pixels(place.width), Pixels(place.height),
                                 window_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(description.font)), FALSE);
  controls_.push_back({description.name, control, place, description.font});
  if (!description.tooltip.empty() && tooltip_ != nullptr) {
    std::wstring tip = platform::WideFromUtf8(description.tooltip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  return control;
}

void FormWindow::SetControlPlace(HWND control, const Place& place) {
  for (MadeControl& known : controls_) {
    if (known.handle != control) continue;
    known.place = place;
    SetWindowPos(control, nullptr, Pixels(place.left), Pixels(place.top), Pixels(place.width),
                 Pixels(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

const Place& FormWindow::ControlPlace(HWND control) const {
  static const Place none;
  for (const MadeControl& known : controls_) {
    if (known.handle == control) return known.place;
  }
  return none;
}

HFONT FormWindow::FontFor(const platform::FontDescription& font) {
  for (const MadeFont& made : fonts_) {
    if (made.choice == font) return made.handle;
  }
  const int height = -static_cast<int>(std::lround(font.points * Dpi() / 72.0));
  HFONT handle =
      CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, platform::WideFromUtf8(font.face).c_str());
  fonts_.push_back({font, handle});
  return handle;
}

void FormWindow::ClearFonts() {
  for (const MadeFont& made : fonts_) DeleteObject(made.handle);
  fonts_.clear();
}

void FormWindow::Layout() {
  // The old fonts stay selected into the controls until the new ones are set.
  std::vector<MadeFont> old;
  old.swap(fonts_);
  for (const MadeControl& control : controls_) {
    SetWindowPos(control.handle, nullptr, Pixels(control.place.left), Pixels(control.place.top),
                 Pixels(control.place.width), Pixels(control.place.height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.font)), TRUE);
  }
  for (const MadeFont& made : old) DeleteObject(made.handle);
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE) {
    // As a dialog does: the control that had the focus gets it back when the window is
    // activated again, the first in tab order the first time.
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = GetFocus();
      if (focus != nullptr && IsChild(window_, focus)) lastFocus_ = focus;
      return 0;
    }
    if (HIWORD(wParam) != 0) return 0;  // minimized
    if (lastFocus_ == nullptr || !IsWindowEnabled(lastFocus_)) {
      lastFocus_ = GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    if (lastFocus_ != nullptr) SetFocus(lastFocus_);
    return 0;
  }
  if (message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORBTN) {
    // Labels, frames and option buttons on the window's own face colour, which a plain window
    // does not give them as a dialog does.
    SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  if (message == WM_DPICHANGED) {
    // The window takes the size the system suggests for the new DPI; the controls follow it.
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    return 0;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->window_ = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return form->OnMessage(message, wParam, lParam);
}

void SetText(HWND window, std::string_view utf8) {
  SetWindowTextW(window, platform::WideFromUtf8(utf8).c_str());
}

std::string GetText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return platform::Utf8FromWide(text);
}

}  // namespace sfxtal::win32
