#include <charconv>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <system_error>

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "logwriter/sample_log.h"
#include "platform/path_text.h"

namespace sfxtal::cli {
namespace {

// A whole decimal number within [0, max]; nothing else (no sign, blanks or trailing text).
bool ParseNumber(const std::string& text, std::uint32_t max, std::uint32_t& value) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && ptr == end && value <= max;
}

}  // namespace

int RunSampleLogCommand(Invocation& invocation) {
  const auto& args = invocation.args;
  std::uint32_t count = 0;
  std::uint32_t seed = 1;
  if (args.size() < 2 || args.size() > 3 || args[0].empty() ||
      !ParseNumber(args[1], logwriter::kMaxRecordCount, count) ||
      (args.size() == 3 && !ParseNumber(args[2], UINT32_MAX, seed))) {
    CommandUsage(invocation.err, "sample-log");
    invocation.err << "  COUNT: 0 to " << logwriter::kMaxRecordCount << ", SEED: 0 to "
                   << UINT32_MAX << '\n';
    return kExitUsage;
  }
  const std::filesystem::path out = platform::PathFromUtf8(args[0]);
  if (!logwriter::WriteSampleLog(out, count, seed)) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(out, error);
    invocation.err << "ファイルに書き込めません\n"
                   << platform::Utf8FromPath(error ? out : full) << '\n';
    return kExitError;
  }
  return kExitDone;
}

}  // namespace sfxtal::cli
