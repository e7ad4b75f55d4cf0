#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/user_interface.h"

namespace sfxtal::bench {

/// A folder of its own under the system's temporary folder, removed at the end.
class BenchFolder {
 public:
  BenchFolder();
  ~BenchFolder();
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline constexpr std::uint32_t kSampleRecords = 1'000'000;

/// The folder holding "Tevrak.TDB", a 1,000,000-record sample log (seed 1), written on first use.
const BenchFolder& SampleFolder();
std::filesystem::path SampleLog();
/// The same QSOs as an ADIF file ("log.adi" beside it), written on first use.
std::filesystem::path SampleAdifLog();

/// A full 実績.txt (CP932): every suffix, a third of them worked, half of those still "未".
std::string FullResultsFileBytes();

/// The body of BM_RawRead: the file's bytes read front to back through a 64 KiB buffer, the
/// yardstick the reader and the import are held against.
void RawRead(benchmark::State& state, const std::filesystem::path& path);

}  // namespace sfxtal::bench
