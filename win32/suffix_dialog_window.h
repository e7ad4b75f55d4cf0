#pragma once

#include "importer/suffix_dialog.h"
#include "win32/form_window.h"

namespace sfxtal::win32 {

/// Form3, the suffix-setting dialog over its logic: the QSO in hand, the entry with its key
/// filter, Set and Skip. Modal over its owner; closing it any other way is Skip.
class SuffixDialogWindow : public FormWindow {
 public:
  SuffixDialogWindow(importer::SuffixDialog& dialog, HWND owner);
  ~SuffixDialogWindow() override;

  /// Shows the dialog and returns once Set or Skip has closed it (or the program is ending).
  void ShowModal();

  HWND Label1 = nullptr, Frame1 = nullptr, Label2 = nullptr, Label3 = nullptr, Label4 = nullptr,
       Label5 = nullptr, Label6 = nullptr, Label7 = nullptr, Frame2 = nullptr, Text1 = nullptr,
       Command1 = nullptr, Command2 = nullptr;

 protected:
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Command1_Click();
  void Command2_Click();
  static LRESULT CALLBACK EntryProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR window);

  importer::SuffixDialog& dialog_;
  HWND owner_;
  bool closed_ = false;
};

}  // namespace sfxtal::win32
