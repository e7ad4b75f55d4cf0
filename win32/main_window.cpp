#include "win32/main_window.h"

#include "app/spreadsheet_hand_over.h"
#include "app/window_import.h"
#include "platform/path_text.h"
#include "platform/wide_text_windows.h"
#include "win32/suffix_dialog_window.h"

namespace sfxtal::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kFrame = BS_GROUPBOX;
constexpr DWORD kEdit = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
// One entry of the browse dialog's filter: its description, then its pattern.
// Either kind of log the import reads, or any file (its content tells the kind).
constexpr wchar_t kBrowseFilter[] =
    L"tevrak.tdb ファイル (*.TDB)\0*.TDB\0ADIF ファイル (*.adi; *.adif)\0*.adi;*.adif\0"
    L"すべてのファイル (*.*)\0*.*\0";

constexpr Place kFrame1{360, 240, 6255, 735};
constexpr Place kFrame2{360, 1080, 3015, 2655};
constexpr Place kFrame3 = Inside(kFrame2, {240, 240, 2295, 855});
constexpr Place kFrame4 = Inside(kFrame2, {240, 1200, 2295, 855});
constexpr Place kFrame5{3840, 1920, 2655, 1215};
constexpr Place kFrame6{405, 4005, 2835, 825};
constexpr double kDateBoxLeft[3] = {240, 960, 1440};
constexpr double kDateBoxWidth[3] = {615, 375, 375};

bool Checked(HWND option) {
  return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path programFolder, Win32UserInterface& ui,
                       app::SpreadsheetChooser& spreadsheet)
    : programFolder_(std::move(programFolder)),
      ui_(ui),
      spreadsheet_(spreadsheet),
      settings_(programFolder_) {
  CreateForm(L"NEBU ｸﾗﾌﾞｱﾜｰﾄﾞ", kStyle, nullptr, kClientWidthTwips, kClientHeightTwips);
  CreateControls();
  ui_.SetImportWindow(this);
  Form_Load();
}

MainWindow::~MainWindow() {
  ui_.SetImportWindow(nullptr);
  results_.reset();
  DestroyForm();
}

void MainWindow::CreateControls() {
  // Created in tab order, which is the order the Tab key walks; frames and the label take no
  // focus. The controls in a frame are placed within it.
  Frame1 = AddControl(WC_BUTTONW, L"Tevrak.TDB / ADIF の指定", kFrame, kFrame1);
  Text1 = AddControl(WC_EDITW, L"", kEdit, Inside(kFrame1, {120, 240, 3855, 375}));
  Command1 = AddControl(WC_BUTTONW, L"終了", kButton, {5430, 4185, 1095, 495}, L"終了します");
  Command2 = AddControl(WC_BUTTONW, L"Tevrak ﾃﾞｰﾀ 読み込み", kButton, {3840, 1200, 2535, 495},
                        L"Tevrak からデータを読込みます");
  Command3 = AddControl(WC_BUTTONW, L"参照", kButton, Inside(kFrame1, {5040, 240, 855, 375}));
  Frame2 = AddControl(WC_BUTTONW, L"検索期間", kFrame, kFrame2);
  Frame3 = AddControl(WC_BUTTONW, L"開始", kFrame, kFrame3);
  Frame4 = AddControl(WC_BUTTONW, L"終了", kFrame, kFrame4);
  for (int i = 0; i < app::kDateBoxCount; ++i) {
    const Place place =
        Inside(i < 3 ? kFrame3 : kFrame4, {kDateBoxLeft[i % 3], 360, kDateBoxWidth[i % 3], 270});
    HWND box = AddControl(WC_EDITW, L"", kEdit, place);
    SetWindowSubclass(box, &MainWindow::DateBoxProcedure, static_cast<UINT_PTR>(i),
                      reinterpret_cast<DWORD_PTR>(this));
    Text2[static_cast<std::size_t>(i)] = box;
  }
  Label1 =
      AddControl(WC_STATICW, L"", SS_LEFT | SS_NOPREFIX, Inside(kFrame2, {480, 2160, 1815, 255}));
  Command4 = AddControl(WC_BUTTONW, L"実績ﾃﾞｰﾀ表示", kButton, {3840, 3360, 2535, 495},
                        L"実績表示画面に移り案す");
  Command5 = AddControl(WC_BUTTONW, L"Excel", kButton, {3870, 4200, 1170, 495},
                        L"Excel を起動し 実績表示します");
  Frame5 = AddControl(WC_BUTTONW, L"判別不能なデータ", kFrame, kFrame5);
  Option1 = AddControl(WC_BUTTONW, L"バイパス", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
                       Inside(kFrame5, {360, 240, 1335, 255}), L"判別不明なデータは処理しません");
  Option2 =
      AddControl(WC_BUTTONW, L"個別設定", BS_AUTORADIOBUTTON,
                 Inside(kFrame5, {360, 720, 1335, 180}), L"判別不能なデータは自分で処理します");
  Frame6 = AddControl(WC_BUTTONW, L"諦めマーク", kFrame | WS_GROUP, kFrame6);
  Text3 =
      AddControl(WC_EDITW, L"", kEdit, Inside(kFrame6, {315, 285, 2175, 345}),
                 L"諦めマークを設定します、大文字小文字に注意してください", {L"ＭＳ ゴシック", 12});
}

void MainWindow::Form_Load() {
  for (std::size_t i = 0; i < Text2.size(); ++i) SetText(Text2[i], app::kDateBoxDefaults[i]);
  SendMessageW(Option1, BM_SETCHECK, BST_CHECKED, 0);

  const app::MainWindowSettings loaded =
      app::LoadMainWindowSettings(settings_, ScreenSize(), OuterSize(), GetText(Text1));
  MoveToTwips(loaded.Left, loaded.Top);
  SetText(Text3, loaded.Text3);
  SetText(Text1, loaded.Text1);
  SetFocus(Text1);
}

void MainWindow::Form_QueryUnload() {
  // No help viewer on today's Windows: the release of the help file is left out with its
  // registration.
  const RECT outer = OuterRect();
  app::MainWindowSettings window;
  window.Text1 = GetText(Text1);
  window.Top = Twips(outer.top);
  window.Left = Twips(outer.left);
  window.Text3 = GetText(Text3);
  app::SaveMainWindowSettings(settings_, window);
}

void MainWindow::Command1_Click() {
  app::PressExitButton(ui_, importRunning_, [this] { Form_QueryUnload(); });
}

void MainWindow::EndAtSystemRequest() {
  if (ui_.Ended()) return;
  if (leftForResults_) {
    if (results_ != nullptr) SendMessageW(results_->Handle(), WM_CLOSE, 0, 0);
    return;
  }
  if (importRunning_) {
    // The session ends when this message returns, before the run could reach its own end: the
    // settings are saved now, as the exit button would have them saved.
    ui_.RequestStop();
    Form_QueryUnload();
    return;
  }
  Command1_Click();
}

void MainWindow::Command2_Click() {
  if (importRunning_ || ui_.Ended()) return;
  importer::ImportRequest request;
  request.Path = GetText(Text1);
  for (std::size_t i = 0; i < Text2.size(); ++i) request.DateBoxes[i] = GetText(Text2[i]);
  request.AskUndeterminable = Checked(Option2);
  request.GiveUpMarks = GetText(Text3);

  app::RunImportFromWindow(programFolder_, ui_, frequencyErrors_, spreadsheet_, request,
                           importRunning_, [this] { Command1_Click(); });
}

void MainWindow::Command3_Click() {
  wchar_t chosen[32768] = L"";
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = kBrowseFilter;
  dialog.lpstrFile = chosen;
  dialog.nMaxFile = static_cast<DWORD>(std::size(chosen));
  dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
  // Cancel, or any failure of the dialog, leaves the path box as it was.
  if (!GetOpenFileNameW(&dialog)) return;
  SetWindowTextW(Text1, chosen);
}

void MainWindow::DisableBeforeLeaving() {
  for (const app::MainWindowControl control : app::kButtonsOffBeforeLeaving) {
    EnableControl(control, false);
  }
}

void MainWindow::Command4_Click() {
  DisableBeforeLeaving();
  leftForResults_ = true;
  results_ = std::make_unique<ResultsWindow>(programFolder_, ui_, spreadsheet_);
  ShowWindow(results_->Handle(), SW_SHOW);
  ShowWindow(Handle(), SW_HIDE);
}

void MainWindow::Command5_Click() {
  DisableBeforeLeaving();
  app::ExcelX(ui_, programFolder_, app::kViewMode, spreadsheet_);
  Command1_Click();
}

void MainWindow::Text2_KeyPress(int index, wchar_t keyCode) {
  HWND box = Text2[static_cast<std::size_t>(index)];
  DWORD start = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  const int caret = static_cast<int>(start);
  const app::DateBoxKey key = app::DateBoxKeyPress(index, keyCode, caret);
  if (key.Keep) {
    // Overtype: the digit replaces the character at the caret (past the end it is added).
    const int length = GetWindowTextLengthW(box);
    SendMessageW(box, EM_SETSEL, caret, caret < length ? caret + 1 : caret);
    const wchar_t digit[2] = {keyCode, L'\0'};
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(digit));
  }
  if (key.NextBox >= 0) SetFocus(Text2[static_cast<std::size_t>(key.NextBox)]);
}

void MainWindow::Text2_LostFocus(int index) {
  SendMessageW(Text2[static_cast<std::size_t>(index)], EM_SETSEL, 0, 0);
}

LRESULT CALLBACK MainWindow::DateBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR index, DWORD_PTR window) {
  auto* self = reinterpret_cast<MainWindow*>(window);
  switch (message) {
    case WM_CHAR:
      // Every typed character goes through the key rule, Backspace and Enter included.
      self->Text2_KeyPress(static_cast<int>(index), static_cast<wchar_t>(wParam));
      return 0;
    case WM_GETDLGCODE: {
      // Enter reaches the box as a character; and entering the box by Tab keeps its caret
      // instead of selecting the whole text.
      LRESULT code = DefSubclassProc(box, message, wParam, lParam) & ~DLGC_HASSETSEL;
      const MSG* pending = reinterpret_cast<const MSG*>(lParam);
      if (pending != nullptr && pending->message == WM_KEYDOWN && pending->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      self->Text2_LostFocus(static_cast<int>(index));
      return result;
    }
    case WM_PASTE:
    case WM_CONTEXTMENU:
    case WM_IME_CHAR:
      // Text reaches a date box only by typing, through the key rule.
      return 0;
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, &MainWindow::DateBoxProcedure, index);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

void MainWindow::EnableControl(app::MainWindowControl control, bool enabled) {
  // A frame is switched off with what it holds; the progress line stays readable.
  const auto enable = [enabled](std::initializer_list<HWND> controls) {
    for (HWND handle : controls) EnableWindow(handle, enabled);
  };
  switch (control) {
    case app::MainWindowControl::kCommand2:
      return enable({Command2});
    case app::MainWindowControl::kCommand3:
      return enable({Command3});
    case app::MainWindowControl::kCommand4:
      return enable({Command4});
    case app::MainWindowControl::kCommand5:
      return enable({Command5});
    case app::MainWindowControl::kFrame2:
      return enable(
          {Frame2, Frame3, Frame4, Text2[0], Text2[1], Text2[2], Text2[3], Text2[4], Text2[5]});
    case app::MainWindowControl::kFrame5:
      return enable({Frame5, Option1, Option2});
    case app::MainWindowControl::kFrame6:
      return enable({Frame6, Text3});
  }
}

void MainWindow::SetInputsLocked(bool locked) {
  for (const app::MainWindowControl control : app::kImportLockedControls) {
    EnableControl(control, !locked);
  }
}

void MainWindow::ShowProgress(const std::string& text) {
  SetText(Label1, text);
}

std::string MainWindow::AskSuffix(const importer::SuffixQuestion& question) {
  importer::SuffixDialog dialog(ui_, question);
  SuffixDialogWindow window(dialog, Handle());
  window.ShowModal();
  return dialog.DialogSuffix();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lParam);
      if (HIWORD(wParam) != BN_CLICKED || from == nullptr) break;
      if (from == Command1) Command1_Click();
      if (from == Command2) Command2_Click();
      if (from == Command3) Command3_Click();
      if (from == Command4) Command4_Click();
      if (from == Command5) Command5_Click();
      return 0;
    }
    case WM_CLOSE:
      // After the end, and on the results window's road, the main window closes without its
      // steps; otherwise the close box is the exit button (during an import, a stop request).
      if (!ui_.Ended() && !leftForResults_) Command1_Click();
      return 0;
    case WM_SETCURSOR:
      if (ui_.Busy()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam != FALSE) EndAtSystemRequest();
      return 0;
    default:
      break;
  }
  return FormWindow::OnMessage(message, wParam, lParam);
}

}  // namespace sfxtal::win32
