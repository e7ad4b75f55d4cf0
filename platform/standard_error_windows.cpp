#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "platform/standard_error.h"

namespace sfxtal::platform {

QuietStandardError::QuietStandardError() {
  std::fflush(stderr);
  const int nowhere = _wopen(L"NUL", _O_WRONLY | _O_BINARY);
  if (nowhere < 0) return;
  saved_ = _dup(_fileno(stderr));
  if (saved_ >= 0 && _dup2(nowhere, _fileno(stderr)) != 0) {
    _close(saved_);
    saved_ = -1;
  }
  _close(nowhere);
}

QuietStandardError::~QuietStandardError() {
  if (saved_ < 0) return;
  std::fflush(stderr);
  _dup2(saved_, _fileno(stderr));
  _close(saved_);
}

}  // namespace sfxtal::platform
