// Start-up: from process start to the main window shown, offscreen, against an empty Qt window
// started the same way. Each iteration spawns a fresh process and waits for it to end.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::filesystem::path ProbePath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "startup_probe";
}

void StartProbe(benchmark::State& state, const char* mode) {
  const std::string probe = ProbePath().string();
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::string_view(*e).starts_with("QT_QPA_PLATFORM=")) continue;
    env.emplace_back(*e);
  }
  env.emplace_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char*> envp;
  for (auto& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::vector<char*> argv{const_cast<char*>(probe.c_str())};
  if (mode != nullptr) argv.push_back(const_cast<char*>(mode));
  argv.push_back(nullptr);

  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, probe.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
      state.SkipWithError("cannot start startup_probe");
      return;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("startup_probe failed");
      return;
    }
  }
}

void BM_StartEmptyQtWindow(benchmark::State& state) {
  StartProbe(state, "--bare");
}
void BM_StartMainWindow(benchmark::State& state) {
  StartProbe(state, nullptr);
}

BENCHMARK(BM_StartEmptyQtWindow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StartMainWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
