#include <cstdio>
#include <string>
#include <utility>

#include "platform/com_spreadsheet.h"
#include "platform/program_texts.h"
#include "platform/wide_text_windows.h"

// Only the Windows halves include windows.h: its macros (ReplaceFile, Yield) rename the program's
// functions of those names wherever it is seen.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>

namespace sfxtal::platform {
namespace {

using Microsoft::WRL::ComPtr;

constexpr const wchar_t* kProgId = L"excel.application";

// A VARIANT that frees what it holds (a string, a reference to an object) when it goes.
struct Variant : VARIANT {
  Variant() { VariantInit(this); }
  explicit Variant(bool value) : Variant() {
    vt = VT_BOOL;
    boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  }
  explicit Variant(const std::wstring& text) : Variant() {
    vt = VT_BSTR;
    bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  ~Variant() { VariantClear(this); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

// Why the program refused a call: its own description when it gave one, else its error number.
std::string Reason(HRESULT result, EXCEPINFO& info) {
  if (result == DISP_E_EXCEPTION && info.pfnDeferredFillIn != nullptr) {
    info.pfnDeferredFillIn(&info);
  }
  std::string text;
  if (info.bstrDescription != nullptr) {
    text = Utf8FromWide({info.bstrDescription, SysStringLen(info.bstrDescription)});
  }
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  while (!text.empty() && std::string_view(" \t\r\n").find(text.back()) != std::string_view::npos) {
    text.pop_back();
  }
  if (!text.empty()) return text;
  const HRESULT code = result == DISP_E_EXCEPTION && info.scode != 0 ? info.scode : result;
  char number[16];
  std::snprintf(number, sizeof number, "0x%08lX", static_cast<unsigned long>(code));
  return std::string(kSpreadsheetErrorNumberText) + number;
}

// One call by name, as late binding makes it: the member's number (and that of the one named
// argument, if any) asked of the object now, then the call. A property assignment passes its
// value under DISPID_PROPERTYPUT instead. On failure, `reason` says why.
HRESULT Call(IDispatch* object, const wchar_t* member, WORD kind, const wchar_t* argumentName,
             VARIANT* argument, VARIANT* result, std::string& reason) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(member), const_cast<LPOLESTR>(argumentName)};
  DISPID ids[] = {DISPID_UNKNOWN, DISPID_PROPERTYPUT};
  EXCEPINFO info{};
  HRESULT status = object->GetIDsOfNames(IID_NULL, names, argumentName != nullptr ? 2 : 1,
                                         LOCALE_USER_DEFAULT, ids);
  if (SUCCEEDED(status)) {
    const UINT count = argument != nullptr ? 1 : 0;
    DISPPARAMS parameters{argument, count != 0 ? &ids[1] : nullptr, count, count};
    status = object->Invoke(ids[0], IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result, &info,
                            nullptr);
  }
  if (FAILED(status)) reason = Reason(status, info);
  return status;
}

// An object-valued property ("workbooks", "application").
ComPtr<IDispatch> Property(IDispatch* object, const wchar_t* name, std::string& reason) {
  Variant value;
  if (FAILED(Call(object, name, DISPATCH_PROPERTYGET, nullptr, nullptr, &value, reason))) {
    return nullptr;
  }
  if (value.vt != VT_DISPATCH || value.pdispVal == nullptr) {
    EXCEPINFO none{};
    reason = Reason(DISP_E_TYPEMISMATCH, none);
    return nullptr;
  }
  return value.pdispVal;
}

class ComSpreadsheet : public SpreadsheetApplication {
 public:
  ComSpreadsheet(UserInterface& ui, ComPtr<IDispatch> application)
      : ui_(ui), application_(std::move(application)) {}

  void SetVisible(bool visible) override {
    // A window that stays hidden stops nothing: the workbook still opens and the macro runs.
    Variant value(visible);
    std::string reason;
    Call(application_.Get(), L"Visible", DISPATCH_PROPERTYPUT, nullptr, &value, nullptr, reason);
  }

  bool OpenWorkbook(const std::filesystem::path& filename) override {
    std::string reason;
    const ComPtr<IDispatch> workbooks = Property(application_.Get(), L"workbooks", reason);
    Variant name(filename.native());
    Variant workbook;
    if (workbooks == nullptr || FAILED(Call(workbooks.Get(), L"Open", DISPATCH_METHOD, L"filename",
                                            &name, &workbook, reason))) {
      ui_.ShowMessage(WithPath(kCannotOpenBookMessage, filename) + "\n" + reason);
      return false;
    }
    return true;
  }

  bool RunMacro(const std::string& macro) override {
    std::string reason;
    const ComPtr<IDispatch> application = Property(application_.Get(), L"application", reason);
    Variant name(WideFromUtf8(macro));
    Variant returned;
    if (application == nullptr || FAILED(Call(application.Get(), L"run", DISPATCH_METHOD, L"macro",
                                              &name, &returned, reason))) {
      ui_.ShowMessage(std::string(kNoSuchMacroMessage) + "\n" + macro + "\n" + reason);
      return false;
    }
    return true;
  }

  // The program stays open and visible in the operator's hands: it is neither closed nor quit.
  void Release() override { application_.Reset(); }

 private:
  UserInterface& ui_;
  ComPtr<IDispatch> application_;
};

}  // namespace

ComApartment::ComApartment()
    : initialised_(
          SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}

ComApartment::~ComApartment() {
  if (initialised_) CoUninitialize();
}

bool ComSpreadsheetFactory::Registered() {
  CLSID clsid;
  return SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
}

std::unique_ptr<SpreadsheetApplication> ComSpreadsheetFactory::Create(
    const std::filesystem::path& /*workbook*/) {
  CLSID clsid;
  ComPtr<IDispatch> application;
  if (FAILED(CLSIDFromProgID(kProgId, &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&application)))) {
    return nullptr;
  }
  return std::make_unique<ComSpreadsheet>(ui_, std::move(application));
}

}  // namespace sfxtal::platform
