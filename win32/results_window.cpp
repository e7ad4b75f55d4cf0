#include "win32/results_window.h"

#include "app/help_page.h"
#include "app/window_places.h"
#include "platform/wide_text_windows.h"
#include "results/results_window_form.h"
#include "results/results_window_size.h"
#include "results/suffix_lookup.h"

namespace sfxtal::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr COLORREF kUnconfirmedRed = RGB(255, 0, 0);

}  // namespace

ResultsWindow::ResultsWindow(std::filesystem::path programFolder, Win32UserInterface& ui,
                             app::SpreadsheetChooser& spreadsheet)
    : programFolder_(std::move(programFolder)), ui_(ui), spreadsheet_(spreadsheet) {
  CreateForm(results::kResultsWindowForm, kStyle, nullptr);
  // The three columns fit the grid's width beside its scroll bar, so the suffix column never
  // scrolls sideways; there is no heading row.
  MSFlexGrid1 = Control("MSFlexGrid1");
  Command1 = Control("Command1");
  Text1 = Control("Text1");
  SetWindowSubclass(Text1, &ResultsWindow::LookupBoxProcedure, 0,
                    reinterpret_cast<DWORD_PTR>(this));
  Command2 = Control("Command2");
  Command3 = Control("Command3");
  rules_.emplace(programFolder_, ui_, static_cast<results::ResultsView&>(*this));

  ListView_SetExtendedListViewStyle(MSFlexGrid1, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  // The first column of a list view is always drawn left-aligned: the suffix column is centred
  // by drawing its cells (DrawSuffixCell), the other two by their format.
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH | LVCF_FMT;
  for (int i = 0; i < 3; ++i) {
    column.fmt = i == 0 ? LVCFMT_LEFT : LVCFMT_CENTER;
    column.cx = Pixels(results::kGridColumnWidths[i]);
    ListView_InsertColumn(MSFlexGrid1, i, &column);
  }
  ListView_SetItemCountEx(MSFlexGrid1, rules_->Table().RowCount(), LVSICF_NOINVALIDATEALL);
  Form_Load();
}

ResultsWindow::~ResultsWindow() {
  DestroyForm();
}

void ResultsWindow::Form_Load() {
  // The current cell starts in row 1, without being selected.
  ListView_SetItemState(MSFlexGrid1, 1, LVIS_FOCUSED, LVIS_FOCUSED);

  const app::PlaceTwips place =
      app::LoadResultsWindowPlace(app::SettingsStore(programFolder_), ScreenSize(), OuterSize());
  MoveToTwips(place.Left, place.Top);
  Form_Resize();
}

void ResultsWindow::ShowControls(const results::ResultsControls& controls) {
  EnableWindow(Command1, controls.command1);
  EnableWindow(Command3, controls.command3);
  EnableWindow(Text1, controls.text1);
}

void ResultsWindow::SetGridRedraw(bool on) {
  SendMessageW(MSFlexGrid1, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(MSFlexGrid1, nullptr, TRUE);
}

void ResultsWindow::GridRowsChanged(int) {
  // The grid asks for each row's texts as it draws the row: a repaint shows the new rows.
  InvalidateRect(MSFlexGrid1, nullptr, TRUE);
}

void ResultsWindow::SetCaption(const std::string& caption) {
  SetText(Handle(), caption);
}

void ResultsWindow::FocusLookupBox() {
  SetFocus(Text1);
}

void ResultsWindow::ScrollGridToTop(int row) {
  // The row goes to the top, as far as the grid scrolls; the current row stays where it is.
  RECT first{};
  if (!ListView_GetItemRect(MSFlexGrid1, 0, &first, LVIR_BOUNDS)) return;
  const int rowHeight = first.bottom - first.top;
  ListView_Scroll(MSFlexGrid1, 0, (row - ListView_GetTopIndex(MSFlexGrid1)) * rowHeight);
}

void ResultsWindow::Form_Resize() {
  const RECT outer = OuterRect();
  const double gridHeight = results::GridHeight(Twips(outer.bottom - outer.top));
  Place grid = ControlPlace(MSFlexGrid1);
  grid.height = gridHeight;
  SetControlPlace(MSFlexGrid1, grid);
}

void ResultsWindow::Form_Unload() {
  const RECT outer = NormalOuterRect();
  app::CloseResultsWindow(ui_, app::SettingsStore(programFolder_),
                          {Twips(outer.left), Twips(outer.top)});
}

void ResultsWindow::DrawSuffixCell(const NMLVCUSTOMDRAW& draw) const {
  const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
  const results::ResultsTable& table = rules_->Table();
  // The row's bounds run across every column; the suffix column is the first, at its left.
  RECT cell{};
  if (row < 0 || row >= table.RowCount() ||
      !ListView_GetItemRect(MSFlexGrid1, row, &cell, LVIR_BOUNDS)) {
    return;
  }
  cell.right = cell.left + ListView_GetColumnWidth(MSFlexGrid1, 0);
  // One pixel is left at the right and bottom for the grid lines.
  RECT face = cell;
  --face.right;
  --face.bottom;
  FillRect(draw.nmcd.hdc, &face, GetSysColorBrush(COLOR_BTNFACE));
  const std::wstring text = platform::WideFromUtf8(table.Row(row).suffix);
  SetTextColor(draw.nmcd.hdc, GetSysColor(COLOR_BTNTEXT));
  SetBkMode(draw.nmcd.hdc, TRANSPARENT);
  DrawTextW(draw.nmcd.hdc, text.c_str(), static_cast<int>(text.size()), &face,
            DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT ResultsWindow::GridNotify(NMHDR* header) {
  if (!rules_) return 0;
  if (header->code == LVN_GETDISPINFOW) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    const results::ResultsTable& table = rules_->Table();
    if ((item.mask & LVIF_TEXT) == 0 || item.iItem < 0 || item.iItem >= table.RowCount()) return 0;
    const results::ResultRow& row = table.Row(item.iItem);
    const std::string& text = item.iSubItem == 0   ? row.suffix
                              : item.iSubItem == 1 ? row.detail1
                                                   : row.detail2;
    const std::wstring wide = platform::WideFromUtf8(text);
    lstrcpynW(item.pszText, wide.c_str(), item.cchTextMax);
    return 0;
  }
  if (header->code == NM_CUSTOMDRAW) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
      case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
      case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int row = static_cast<int>(draw->nmcd.dwItemSpec);
        // The suffix column in the colours of a heading; the details of an unconfirmed row red.
        if (draw->iSubItem == 0) {
          DrawSuffixCell(*draw);
          return CDRF_SKIPDEFAULT;
        }
        const results::ResultsTable& table = rules_->Table();
        const bool red = row >= 0 && row < table.RowCount() && table.Row(row).unconfirmed;
        draw->clrText = red ? kUnconfirmedRed : GetSysColor(COLOR_WINDOWTEXT);
        draw->clrTextBk = GetSysColor(COLOR_WINDOW);
        return CDRF_NEWFONT;
      }
      default:
        return CDRF_DODEFAULT;
    }
  }
  return 0;
}

LRESULT CALLBACK ResultsWindow::LookupBoxProcedure(HWND box, UINT message, WPARAM wParam,
                                                   LPARAM lParam, UINT_PTR id, DWORD_PTR) {
  switch (message) {
    case WM_CHAR:
      switch (results::ClassifyLookupKey(static_cast<char32_t>(wParam))) {
        case results::LookupKey::kPass:
          break;
        case results::LookupKey::kOverwrite: {
          // The letter replaces the character after the caret; at the end it is added.
          DWORD start = 0;
          SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
          const int caret = static_cast<int>(start);
          SendMessageW(box, EM_SETSEL, caret,
                       caret < GetWindowTextLengthW(box) ? caret + 1 : caret);
          break;
        }
        case results::LookupKey::kDrop:
          return 0;
      }
      break;
    case WM_GETDLGCODE:
      // Entered by Tab, the box keeps its caret at the start instead of selecting its text.
      return DefSubclassProc(box, message, wParam, lParam) & ~DLGC_HASSETSEL;
    case WM_SETFOCUS: {
      const LRESULT result = DefSubclassProc(box, message, wParam, lParam);
      SendMessageW(box, EM_SETSEL, 0, 0);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(box, &ResultsWindow::LookupBoxProcedure, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(box, message, wParam, lParam);
}

LRESULT ResultsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lParam);
      if (from == nullptr) break;
      if (from == Text1 && HIWORD(wParam) == EN_CHANGE) rules_->Text1_Change(GetText(Text1));
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      if (from == Command1) rules_->Command1_Click();
      if (from == Command2) SendMessageW(Handle(), WM_CLOSE, 0, 0);
      if (from == Command3) {
        rules_->Command3_Click([this] { app::NebuExcel(ui_, programFolder_, spreadsheet_); });
      }
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->hwndFrom == MSFlexGrid1) return GridNotify(header);
      break;
    }
    case WM_WINDOWPOSCHANGING: {
      // Never wider than the widest the window may be; a narrower width stays.
      auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
      if ((position->flags & SWP_NOSIZE) == 0) {
        position->cx =
            std::min(position->cx, Pixels(results::CappedOuterWidth(Twips(position->cx))));
      }
      break;
    }
    case WM_GETMINMAXINFO: {
      // Told beforehand, a window manager does not draw the window wider than it will be; the
      // cut in WM_WINDOWPOSCHANGING alone left a white strip where it had.
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMaxTrackSize.x = Pixels(results::kResultsMaxOuterWidth);
      limits->ptMaxSize.x = limits->ptMaxTrackSize.x;
      return 0;
    }
    case WM_SIZE:
      if (MSFlexGrid1 != nullptr) Form_Resize();
      break;
    case WM_DPICHANGED: {
      const LRESULT result = FormWindow::OnMessage(message, wParam, lParam);
      for (int i = 0; i < 3; ++i)
        ListView_SetColumnWidth(MSFlexGrid1, i, Pixels(results::kGridColumnWidths[i]));
      return result;
    }
    case WM_HELP:
      // F1, in this window or in a dialog it owns.
      app::OpenHelpPage(ui_, programFolder_);
      return TRUE;
    case WM_SETCURSOR:
      if (ui_.Busy()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      Form_Unload();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The end of the session closes the window as its close box does.
      if (wParam != FALSE) Form_Unload();
      return 0;
    default:
      break;
  }
  return FormWindow::OnMessage(message, wParam, lParam);
}

}  // namespace sfxtal::win32
