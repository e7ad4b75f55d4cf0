#include "bench/bench_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "logwriter/sample_log.h"
#include "platform/text_codec.h"
#include "results/suffix_row.h"

namespace sfxtal::bench {

BenchFolder::BenchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "sfxtal-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  path_ = pattern;
}

BenchFolder::~BenchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

const BenchFolder& SampleFolder() {
  static const BenchFolder folder;
  static const bool written =
      logwriter::WriteSampleLog(folder.Path() / "Tevrak.TDB", kSampleRecords, 1);
  if (!written) {
    std::fprintf(stderr, "cannot write the sample log in %s\n", folder.Path().c_str());
    std::abort();
  }
  return folder;
}

std::filesystem::path SampleLog() {
  return SampleFolder().Path() / "Tevrak.TDB";
}

std::filesystem::path SampleAdifLog() {
  static const std::filesystem::path path = SampleFolder().Path() / "log.adi";
  static const bool written = logwriter::WriteSampleLog(path, kSampleRecords, 1);
  if (!written) std::abort();
  return path;
}

void RawRead(benchmark::State& state, const std::filesystem::path& path) {
  static char buffer[64 * 1024];
  std::int64_t bytes = 0;
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      state.SkipWithError("cannot open the file");
      break;
    }
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
      benchmark::DoNotOptimize(buffer);
      bytes += n;
    }
    ::close(fd);
  }
  state.SetBytesProcessed(bytes);
}

std::string FullResultsFileBytes() {
  std::string text;
  for (int row = 0; row < results::kSuffixCount; ++row) {
    const std::string suffix = results::SuffixOfRow(row);
    if (row % 3 == 0) {
      text += "\"" + suffix + "\",\"JA1" + suffix + "\",\"1998/03/21\",\"" +
              (row % 2 == 0 ? "未" : "J") + "\"\r\n";
    } else {
      text += "\"" + suffix + "\",\"\",\"\",\"\"\r\n";
    }
  }
  return platform::EncodeCp932(text);
}

}  // namespace sfxtal::bench
