#include "tests/win32/window_script.h"

#include <algorithm>
#include <functional>

#include "platform/wide_text_windows.h"

namespace sfxtal::test_support {

WindowScript::WindowScript(std::vector<Step> steps)
    : timerWindow_(CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   nullptr, nullptr)),
      steps_(std::move(steps)) {
  SetTimer(timerWindow_, reinterpret_cast<UINT_PTR>(this), 10, &WindowScript::Tick);
}

WindowScript::~WindowScript() {
  DestroyWindow(timerWindow_);
}

void CALLBACK WindowScript::Tick(HWND, UINT, UINT_PTR id, DWORD) {
  auto* script = reinterpret_cast<WindowScript*>(id);
  if (!script->Finished() && script->steps_[script->next_]()) ++script->next_;
}

WindowScript::Step Answer(int button, std::vector<SeenBox>& seen) {
  return [button, &seen] {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
          wchar_t name[16] = L"";
          GetClassNameW(window, name, 16);
          if (!IsWindowVisible(window) || std::wstring_view(name) != L"#32770") return TRUE;
          *reinterpret_cast<HWND*>(result) = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found == nullptr) return false;
    wchar_t text[512] = L"", caption[128] = L"";
    GetDlgItemTextW(found, 0xFFFF, text, 512);
    GetWindowTextW(found, caption, 128);
    int defaultButton = 0;
    for (const int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
      HWND control = GetDlgItem(found, id);
      if (control != nullptr &&
          (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        defaultButton = id;
    }
    seen.push_back({platform::Utf8FromWide(caption), platform::Utf8FromWide(text),
                    GetDlgItem(found, 0x14) != nullptr, defaultButton});
    PostMessageW(found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    return true;
  };
}

void RunUntilFinished(const WindowScript& script) {
  const ULONGLONG end = GetTickCount64() + 20000;
  MSG message;
  while (!script.Finished() && GetTickCount64() < end) {
    if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      Sleep(1);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void DropQuit() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void Type(HWND control, std::wstring_view keys) {
  for (wchar_t key : keys) SendMessageW(control, WM_CHAR, key, 0);
}

namespace {

// Calls `pixel(x, y, rgb)` for each pixel of `area` of the control as it draws itself.
void EachPixel(HWND control, const RECT& area,
               const std::function<void(LONG, LONG, DWORD)>& pixel) {
  RECT client{};
  GetClientRect(control, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(control, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  for (LONG y = std::max(area.top, 0L); y < std::min(area.bottom, client.bottom); ++y) {
    for (LONG x = std::max(area.left, 0L); x < std::min(area.right, client.right); ++x) {
      pixel(x, y, pixels[y * client.right + x] & 0xFFFFFF);
    }
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace

int RedPixels(HWND control, const RECT& area) {
  int red = 0;
  EachPixel(control, area, [&red](LONG, LONG, DWORD rgb) { red += rgb == 0xFF0000 ? 1 : 0; });
  return red;
}

double InkMiddle(HWND control, const RECT& area) {
  LONG left = area.right, right = area.left - 1;
  EachPixel(control, area, [&](LONG x, LONG, DWORD rgb) {
    const bool dark = (rgb & 0xFF) < 0x60 && ((rgb >> 8) & 0xFF) < 0x60 && (rgb >> 16) < 0x60;
    if (!dark) return;
    left = std::min(left, x);
    right = std::max(right, x);
  });
  return right < left ? -1.0 : (left + right) / 2.0;
}

}  // namespace sfxtal::test_support
