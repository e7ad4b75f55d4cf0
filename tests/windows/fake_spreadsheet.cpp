// A spreadsheet program for the tests to drive, started by COM as the real one is: a local server
// whose objects answer any member by name, in any letter case, and append each call to a log:
//   fake_spreadsheet.exe LOG CLSID MEMBER REASON
// MEMBER (if not empty) is refused with DISP_E_EXCEPTION and REASON. Once the caller has released
// every reference, it writes "ended" and ends.
#include <windows.h>
// After windows.h, which they need.
#include <oleauto.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring gLog, gRefused, gReason;
std::vector<std::wstring> gNames;  // as the caller spelled them; a member's number is its place
ULONG gReferences = 0;             // the caller's, to the objects together

void Record(const std::wstring& line) {
  char text[4096];
  const int size = WideCharToMultiByte(CP_UTF8, 0, (line + L"\n").c_str(), -1, text, sizeof text,
                                       nullptr, nullptr);
  FILE* file = _wfopen(gLog.c_str(), L"ab");
  std::fwrite(text, 1, size - 1, file);
  std::fclose(file);
}

bool Is(DISPID id, const std::wstring& name) {
  return lstrcmpiW(gNames[id].c_str(), name.c_str()) == 0;
}

// COM's interfaces have no virtual destructor by design: a COM object is let go through Release,
// never deleted through an interface pointer (these two live as long as the program), so GCC's
// -Wnon-virtual-dtor does not apply to them.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The application, and its workbooks collection; each is named in the log.
class Object final : public IDispatch {
 public:
  explicit Object(const wchar_t* name) : name_(name) {}

  HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? this : nullptr;
    if (*out == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG __stdcall AddRef() override { return ++gReferences; }
  ULONG __stdcall Release() override {
    if (--gReferences == 0) PostQuitMessage(0);
    return gReferences;
  }
  HRESULT __stdcall GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT __stdcall GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT __stdcall GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    for (UINT i = 0; i < count; ++i) {
      ids[i] = 0;
      while (ids[i] < DISPID(gNames.size()) && !Is(ids[i], names[i])) ++ids[i];
      if (ids[i] == DISPID(gNames.size())) gNames.push_back(names[i]);
    }
    return S_OK;
  }
  HRESULT __stdcall Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters,
                           VARIANT* result, EXCEPINFO* error, UINT*) override;

 private:
  const wchar_t* name_;
};

Object gApplication(L"Application"), gWorkbooks(L"Workbooks");

// Logged as the object, the kind of call, the member, and each argument as its name ("[put]" for a
// property's new value, "#" when unnamed) and value: `Workbooks method Open filename="…"`.
HRESULT Object::Invoke(DISPID id, REFIID, LCID, WORD kind, DISPPARAMS* parameters, VARIANT* result,
                       EXCEPINFO* error, UINT*) {
  if (id < 0 || id >= DISPID(gNames.size())) return DISP_E_MEMBERNOTFOUND;
  const wchar_t* const kinds[] = {L"?", L"method", L"get", L"method|get", L"put"};
  std::wstring line =
      name_ + (L" " + std::wstring(kinds[kind <= 4 ? kind : 0])) + L" " + gNames[id];
  for (UINT i = 0; i < parameters->cArgs; ++i) {
    const DISPID name = i < parameters->cNamedArgs ? parameters->rgdispidNamedArgs[i] : -1;
    const VARIANT& value = parameters->rgvarg[i];
    line += L" " + (name == DISPID_PROPERTYPUT ? L"[put]" : name >= 0 ? gNames[name] : L"#");
    if (value.vt == VT_BSTR) {
      line += L"=\"" + std::wstring(value.bstrVal) + L"\"";
    } else {
      line += value.vt == VT_BOOL && value.boolVal == VARIANT_TRUE ? L"=True" : L"=?";
    }
  }
  Record(line);
  if (Is(id, gRefused)) {
    *error = EXCEPINFO{};
    error->scode = static_cast<SCODE>(0x800A03EC);
    error->bstrDescription = SysAllocString(gReason.c_str());
    return DISP_E_EXCEPTION;
  }
  Object* object = Is(id, L"workbooks") ? &gWorkbooks : Is(id, L"application") ? this : nullptr;
  if (object != nullptr && result != nullptr) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    object->AddRef();
  }
  return S_OK;
}

// Gives the application; COM's own references to it keep nothing running.
struct Factory final : IClassFactory {
  HRESULT __stdcall QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IClassFactory ? this : nullptr;
    return *out != nullptr ? S_OK : E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return 2; }
  ULONG __stdcall Release() override { return 1; }
  HRESULT __stdcall CreateInstance(IUnknown*, REFIID iid, void** out) override {
    return gApplication.QueryInterface(iid, out);
  }
  HRESULT __stdcall LockServer(BOOL) override { return S_OK; }
};
#pragma GCC diagnostic pop

}  // namespace

int main() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  CLSID clsid;
  if (count < 5 || FAILED(CLSIDFromString(args[2], &clsid))) return 2;
  gLog = args[1];
  gRefused = args[3];
  gReason = args[4];
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  // A program of its own for each application object, as the real one is started.
  Factory factory;
  DWORD cookie = 0;
  CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &cookie);
  SetTimer(nullptr, 0, 60000, nullptr);  // for a caller that never lets go
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER) {
    DispatchMessageW(&message);
  }
  CoRevokeClassObject(cookie);
  Record(L"ended");
  CoUninitialize();
}
