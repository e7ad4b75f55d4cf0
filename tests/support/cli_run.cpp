#include "tests/support/cli_run.h"

#include <sstream>

#include "cli/commands.h"

namespace sfxtal::test_support {

CliRun RunCliWith(const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = cli::RunCli(args, in, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace sfxtal::test_support
