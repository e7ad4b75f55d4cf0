#pragma once

#include <string>
#include <vector>

namespace sfxtal::test_support {

/// What one sfxtal-cli command did.
struct CliRun {
  int status;
  std::string out;
  std::string err;
};

/// Runs `sfxtal-cli ARGS...` in-process with `input` as its stdin.
CliRun RunCliWith(const std::vector<std::string>& args, const std::string& input = "");

}  // namespace sfxtal::test_support
