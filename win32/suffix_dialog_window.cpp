#include "win32/suffix_dialog_window.h"

#include "platform/wide_text_windows.h"
#include "win32/win32_user_interface.h"

namespace sfxtal::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr Place kFrame1{240, 540, 4920, 1335};
constexpr Place kFrame2{240, 2010, 4920, 855};

}  // namespace

SuffixDialogWindow::SuffixDialogWindow(importer::SuffixDialog& dialog, HWND owner)
    : dialog_(dialog), owner_(owner) {
  CreateForm(platform::WideFromUtf8(importer::SuffixDialog::kCaption).c_str(), kStyle, owner, 5400,
             3060);
  const auto label = [this](const std::string& text, const Place& place, FontChoice font = {}) {
    return AddControl(WC_STATICW, platform::WideFromUtf8(text), kLabel, place, {}, font);
  };
  Label1 = AddControl(WC_STATICW, L"下記交信のサフィックスを設定して下さい", kLabel,
                      {240, 180, 4920, 255});
  // The QSO in hand: record number, date, time, mode and frequency in a row, and below them,
  // larger, the callsign the operator has to answer for.
  Frame1 = AddControl(WC_BUTTONW, L"交信データ", BS_GROUPBOX, kFrame1);
  Label2 = label(dialog_.Label2(), Inside(kFrame1, {120, 300, 780, 255}));
  Label3 = label(dialog_.Label3(), Inside(kFrame1, {960, 300, 1140, 255}));
  Label4 = label(dialog_.Label4(), Inside(kFrame1, {2160, 300, 600, 255}));
  Label5 = label(dialog_.Label5(), Inside(kFrame1, {2820, 300, 720, 255}));
  Label6 = label(dialog_.Label6(), Inside(kFrame1, {3600, 300, 1200, 255}));
  Label7 = label(dialog_.Label7(), Inside(kFrame1, {120, 720, 4680, 420}), {L"ＭＳ ゴシック", 14});
  Frame2 = AddControl(WC_BUTTONW, L"サフィックス", BS_GROUPBOX, kFrame2);
  Text1 = AddControl(WC_EDITW, L"", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
                     Inside(kFrame2, {120, 300, 1575, 375}), {}, {L"ＭＳ Ｐゴシック", 12});
  SetWindowSubclass(Text1, &SuffixDialogWindow::EntryProcedure, 0,
                    reinterpret_cast<DWORD_PTR>(this));
  Command1 = AddControl(WC_BUTTONW, L"設定", kButton | BS_DEFPUSHBUTTON,
                        Inside(kFrame2, {1860, 270, 1335, 435}));
  Command2 = AddControl(WC_BUTTONW, L"スキップ", kButton, Inside(kFrame2, {3360, 270, 1335, 435}),
                        L"今回はサフィックスの設定をしません");
  dialog_.Text1.clear();
}

SuffixDialogWindow::~SuffixDialogWindow() {
  DestroyForm();
}

void SuffixDialogWindow::ShowModal() {
  // Centred over the window it stands over.
  RECT over{};
  if (owner_ != nullptr && GetWindowRect(owner_, &over)) {
    const RECT outer = OuterRect();
    SetWindowPos(Handle(), nullptr, (over.left + over.right - (outer.right - outer.left)) / 2,
                 (over.top + over.bottom - (outer.bottom - outer.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  ShowWindow(Handle(), SW_SHOW);
  SetFocus(Text1);
  RunModalLoop(closed_);
  // The owner takes the activation back before the dialog goes, so that no other program's
  // window comes to the front in between.
  if (owner_ != nullptr) {
    EnableWindow(owner_, TRUE);
    SetActiveWindow(owner_);
  }
  ShowWindow(Handle(), SW_HIDE);
}

void SuffixDialogWindow::Command1_Click() {
  // A refused entry has had its message; the dialog stays open with the entry as it was.
  if (dialog_.Command1_Click()) closed_ = true;
}

void SuffixDialogWindow::Command2_Click() {
  dialog_.Command2_Click();
  closed_ = true;
}

LRESULT CALLBACK SuffixDialogWindow::EntryProcedure(HWND box, UINT message, WPARAM wParam,
                                                    LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  switch (message) {
    case WM_CHAR: {
      const std::optional<char32_t> kept =
          importer::SuffixDialog::FilterKey(static_cast<char32_t>(wParam));
      if (!kept) return 0;
      if (*kept == 8) break;  // Backspace does its usual work
      const wchar_t letter[2] = {static_cast<wchar_t>(*kept), L'\0'};
      SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(letter));
      return 0;
    }
    case WM_PASTE:
    case WM_CONTEXTMENU:
    case WM_IME_CHAR:
      // Every character goes through the key filter.
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, &SuffixDialogWindow::EntryProcedure, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT SuffixDialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lParam);
      // Enter is Set, Escape is Skip, as in any dialog.
      if (from == nullptr && LOWORD(wParam) == IDOK) Command1_Click();
      if (from == nullptr && LOWORD(wParam) == IDCANCEL) Command2_Click();
      if (from == Text1 && HIWORD(wParam) == EN_CHANGE) dialog_.Text1 = GetText(Text1);
      if (from == Command1 && HIWORD(wParam) == BN_CLICKED) Command1_Click();
      if (from == Command2 && HIWORD(wParam) == BN_CLICKED) Command2_Click();
      return 0;
    }
    case WM_CLOSE:
      Command2_Click();
      return 0;
    default:
      break;
  }
  return FormWindow::OnMessage(message, wParam, lParam);
}

}  // namespace sfxtal::win32
