#pragma once

namespace sfxtal::platform {

/// While it lives, what is written to the process's standard error goes nowhere. For a library
/// that prints its own notes there in English (libxlsxwriter names its temporary files), when the
/// program tells the operator about the failure in its own words. Everything runs on one thread,
/// so nothing of the program's own is lost meanwhile.
class QuietStandardError {
 public:
  QuietStandardError();
  ~QuietStandardError();
  QuietStandardError(const QuietStandardError&) = delete;
  QuietStandardError& operator=(const QuietStandardError&) = delete;

 private:
  int saved_ = -1;  // the standard error as it was, to be put back
};

}  // namespace sfxtal::platform
