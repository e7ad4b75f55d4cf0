#include "win32/suffix_dialog_window.h"

#include "importer/suffix_dialog_form.h"
#include "platform/wide_text_windows.h"
#include "win32/win32_user_interface.h"

namespace sfxtal::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

}  // namespace

SuffixDialogWindow::SuffixDialogWindow(importer::SuffixDialog& dialog, HWND owner)
    : dialog_(dialog), owner_(owner) {
  CreateForm(importer::kSuffixDialogForm, kStyle, owner);
  Label1 = Control("Label1");
  Frame1 = Control("Frame1");
  // The QSO in hand in place of the labels' captions.
  HWND* const labels[] = {&Label2, &Label3, &Label4, &Label5, &Label6, &Label7};
  const std::string* const texts[] = {&dialog_.Label2(), &dialog_.Label3(), &dialog_.Label4(),
                                      &dialog_.Label5(), &dialog_.Label6(), &dialog_.Label7()};
  for (std::size_t i = 0; i < std::size(labels); ++i) {
    *labels[i] = Control("Label" + std::to_string(i + 2));
    SetText(*labels[i], *texts[i]);
  }
  Frame2 = Control("Frame2");
  Text1 = Control("Text1");
  SetWindowSubclass(Text1, &SuffixDialogWindow::EntryProcedure, 0,
                    reinterpret_cast<DWORD_PTR>(this));
  Command1 = Control("Command1");
  // Enter is Set, as in any dialog: Command1 is drawn as the button Enter presses.
  SendMessageW(Command1, BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
  Command2 = Control("Command2");
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
  // A refused entry has had its message; the dialog stays open with the entry as it was, and
  // the operator goes on typing there.
  if (dialog_.Command1_Click()) {
    closed_ = true;
  } else {
    SetFocus(Text1);
  }
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
