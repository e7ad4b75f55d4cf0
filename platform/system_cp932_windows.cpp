#include "platform/system_cp932.h"

// Only the Windows halves include windows.h: its macros (ReplaceFile, Yield) rename the program's
// functions of those names wherever it is seen.
#include <windows.h>

namespace sfxtal::platform {
namespace {

constexpr UINT kCodePage = 932;

}  // namespace

char32_t SystemDecodeCp932(std::string_view bytes) {
  wchar_t out[4];
  const int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes.data(),
                                    static_cast<int>(bytes.size()), out, 4);
  return n == 1 ? static_cast<char32_t>(out[0]) : 0;
}

std::string SystemEncodeCp932(char32_t codePoint) {
  if (codePoint > 0xFFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return {};
  const wchar_t in = static_cast<wchar_t>(codePoint);
  char out[4];
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, &in, 1, out, sizeof out,
                                    nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return {};
  return std::string(out, static_cast<std::size_t>(n));
}

}  // namespace sfxtal::platform
