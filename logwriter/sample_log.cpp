#include "logwriter/sample_log.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <system_error>
#include <utility>

#include "logwriter/adif_writer.h"
#include "platform/path_text.h"
#include "platform/text_file.h"

namespace sfxtal::logwriter {
namespace {

// Invented prefixes: the Q series is never handed out as a callsign prefix.
constexpr std::array<std::string_view, 6> kPrefixes = {"QQ", "QX", "QZ", "QW", "QJ", "QK"};

constexpr std::uint64_t kSpanMinutes = 26ull * 36525 / 100 * 1440;  // 1998 to about 2024

struct BandPlan {
  std::uint32_t lowKhz, highKhz;  // the range of frequencies drawn
  int decimals;                   // of the MHz text
  std::uint32_t weight;           // how often, per mille
  std::array<std::string_view, 3> modes;
};

// Every band the program knows, weighted roughly as an active HF operator's log.
constexpr std::array<BandPlan, 18> kBands = {{
    {1810, 1912, 3, 20, {"CW", "CW", "SSB"}},
    {3500, 3575, 3, 60, {"CW", "SSB", "SSB"}},
    {7000, 7200, 3, 200, {"CW", "SSB", "FT8"}},
    {10100, 10150, 3, 50, {"CW", "FT8", "RTTY"}},
    {14000, 14350, 3, 160, {"CW", "SSB", "FT8"}},
    {18068, 18168, 3, 50, {"CW", "SSB", "FT8"}},
    {21000, 21450, 3, 130, {"CW", "SSB", "RTTY"}},
    {24890, 24990, 3, 30, {"CW", "SSB", "FT8"}},
    {28000, 29700, 3, 90, {"SSB", "FM", "CW"}},
    {50000, 54000, 2, 80, {"SSB", "CW", "AM"}},
    {144000, 145990, 2, 60, {"FM", "SSB", "CW"}},
    {430000, 439990, 2, 40, {"FM", "FM", "SSTV"}},
    {1260000, 1299990, 1, 14, {"FM", "SSB", "CW"}},
    {2400000, 2450000, 1, 6, {"FM", "SSB", "CW"}},
    {5650000, 5850000, 1, 4, {"FM", "SSB", "CW"}},
    {10000000, 10499000, 0, 3, {"FM", "SSB", "CW"}},
    {24000000, 24250000, 1, 2, {"FM", "SSB", "CW"}},
    {47000000, 47200000, 1, 1, {"CW", "SSB", "FM"}},
}};

// Frequency texts the program rejects, as a careless logging session leaves them.
constexpr std::array<std::string_view, 5> kInvalidFrequencies = {"3525", "5.3", "0.475", "", "6.0"};

// Third QSL byte: blank (not yet), the usual confirmation marks, a give-up mark and a
// half-width katakana one.
constexpr std::array<std::pair<char, std::uint32_t>, 7> kQslMarks = {{
    {' ', 350},
    {'*', 400},
    {'J', 100},
    {'E', 80},
    {'N', 30},
    {'X', 20},
    {'\xBD', 20},
}};

constexpr std::array<std::string_view, 6> kNames = {"TARO", "HANAKO",           "\xC0\xDB\xB3",
                                                    "KEN",  "\xD0\xC4\xDE\xD8", ""};
constexpr std::array<std::string_view, 6> kQths = {"TOKYO",       "\xB5\xB5\xBB\xB6", "SAPPORO",
                                                   "NAGOYA CITY", "\xC5\xCA\xDE",     ""};
constexpr std::array<std::string_view, 4> kGrids = {"PM95", "QM06", "PM74", "QN02"};

std::uint64_t SplitMix(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

struct CivilDate {
  int year, month, day;
};

// Days since 1970-01-01 to a Gregorian date (H. Hinnant's civil_from_days).
CivilDate FromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const auto y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
  return {y, static_cast<int>(m), static_cast<int>(d)};
}

constexpr std::int64_t kDays1998 = 10227;  // 1998-01-01 in days since 1970-01-01

void AppendNumber(std::string& out, std::uint32_t value, int minDigits) {
  char digits[12];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0 || n < minDigits);
  while (n > 0) out += digits[--n];
}

bool IsAdifName(const std::filesystem::path& out) {
  std::string extension = platform::Utf8FromPath(out.extension());
  for (char& c : extension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return extension == ".adi" || extension == ".adif";
}

bool WriteSampleDatabase(const std::filesystem::path& path, std::uint32_t count,
                         std::uint32_t seed) {
  LogDatabaseWriter writer;
  bool ok = writer.Open(path, count);
  SampleLogGenerator generator(count, seed);
  LogRecord record;
  for (std::uint32_t i = 0; ok && i < count; ++i) {
    generator.Next(record);
    ok = writer.Add(record);
  }
  return writer.Close() && ok;
}

bool WriteSampleAdif(const std::filesystem::path& path, std::uint32_t count, std::uint32_t seed) {
  std::FILE* file = platform::OpenFileStream(path, "wb");
  if (file == nullptr) return false;
  std::string bytes(kAdifHeader);
  bool ok = true;
  SampleLogGenerator generator(count, seed);
  LogRecord record;
  for (std::uint32_t i = 0; ok && i < count; ++i) {
    generator.Next(record);
    AppendAdifRecord(bytes, record);
    if (bytes.size() >= 64 * 1024) {
      ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
      bytes.clear();
    }
  }
  ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace

SampleLogGenerator::SampleLogGenerator(std::uint32_t count, std::uint32_t seed)
    : state_(seed), meanGap_(std::max<std::uint64_t>(1, kSpanMinutes / std::max(count, 1u))) {}

std::uint32_t SampleLogGenerator::Below(std::uint32_t bound) {
  return static_cast<std::uint32_t>((SplitMix(state_) >> 32) * bound >> 32);
}

std::size_t SampleLogGenerator::SuffixLength() {
  const std::uint32_t roll = Below(100);
  return roll < 5 ? 1 : roll < 30 ? 2 : 3;
}

void SampleLogGenerator::AppendSuffix(std::string& out, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) out += static_cast<char>('A' + Below(26));
}

void SampleLogGenerator::AppendBaseCall(std::string& out, std::size_t suffixLength) {
  out += kPrefixes[Below(kPrefixes.size())];
  out += static_cast<char>('0' + Below(10));
  AppendSuffix(out, suffixLength);
}

void SampleLogGenerator::MakeCalls(LogRecord& record) {
  std::string& calls = record.calls;
  calls.clear();
  record.ign.clear();
  const std::uint32_t form = Below(1000);
  if (form < 800) {
    AppendBaseCall(calls, SuffixLength());
  } else if (form < 850) {  // operating from another call area: "/2"
    AppendBaseCall(calls, SuffixLength());
    calls += '/';
    calls += static_cast<char>('0' + Below(10));
  } else if (form < 880) {  // portable: "/P", "/M"
    AppendBaseCall(calls, SuffixLength());
    calls += Chance(700) ? "/P" : "/M";
  } else if (form < 910) {  // a foreign prefix in front: "QQ2/QQ1ABC"
    calls += kPrefixes[Below(kPrefixes.size())];
    calls += static_cast<char>('0' + Below(10));
    calls += '/';
    AppendBaseCall(calls, SuffixLength());
  } else if (form < 925) {  // two calls of equal length: the suffix cannot be told
    const std::size_t length = Below(2) + 1;
    AppendBaseCall(calls, length);
    calls += '/';
    AppendBaseCall(calls, length);
  } else if (form < 940) {  // three parts: "QQ2/QQ1ABC/P"
    calls += kPrefixes[Below(kPrefixes.size())];
    calls += static_cast<char>('0' + Below(10));
    calls += '/';
    AppendBaseCall(calls, 3);
    calls += "/P";
  } else if (form < 955) {  // typed in lower case
    AppendBaseCall(calls, SuffixLength());
    for (char& c : calls) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
  } else if (form < 970) {  // a blank typed inside the call
    AppendBaseCall(calls, 3);
    calls.insert(calls.begin() + 3, ' ');
  } else if (form < 975) {  // leading blanks
    calls = "  ";
    AppendBaseCall(calls, SuffixLength());
  } else {  // the portable mark kept in IGN
    AppendBaseCall(calls, SuffixLength());
    record.ign = Chance(500) ? "/P" : "/3";
  }
}

void SampleLogGenerator::MakeFrequencyAndMode(LogRecord& record) {
  record.freq.clear();
  if (Below(5000) == 0) {
    record.freq = kInvalidFrequencies[Below(kInvalidFrequencies.size())];
    record.mode = "SSB";
    return;
  }
  std::uint32_t roll = Below(1000);
  const BandPlan* band = &kBands.back();
  for (const BandPlan& plan : kBands) {
    if (roll < plan.weight) {
      band = &plan;
      break;
    }
    roll -= plan.weight;
  }
  const std::uint32_t khz = band->lowKhz + Below(band->highKhz - band->lowKhz + 1);
  AppendNumber(record.freq, khz / 1000, 1);
  if (band->decimals > 0) {
    std::string fraction;
    AppendNumber(fraction, khz % 1000, 3);
    record.freq += '.';
    record.freq.append(fraction, 0, static_cast<std::size_t>(band->decimals));
  } else if (Chance(500)) {
    record.freq += ".0";
  }
  record.mode = band->modes[Below(band->modes.size())];
}

void SampleLogGenerator::MakeDateAndTime(LogRecord& record) {
  minutes_ +=
      Below(static_cast<std::uint32_t>(std::min<std::uint64_t>(2 * meanGap_ + 1, 0xFFFFFFFF)));
  const CivilDate date = FromDays(kDays1998 + static_cast<std::int64_t>(minutes_ / 1440));
  record.SetDate(date.year, date.month, date.day);
  const auto minuteOfDay = static_cast<std::uint32_t>(minutes_ % 1440);
  record.hour = static_cast<std::uint8_t>(minuteOfDay / 60);
  record.minute = static_cast<std::uint8_t>(minuteOfDay % 60);
  if (Chance(100)) record.minute |= 0x80;  // logged in UTC
}

void SampleLogGenerator::Next(LogRecord& record) {
  record.status = Below(2000) == 0 ? '*' : ' ';
  MakeCalls(record);
  MakeDateAndTime(record);
  record.code.clear();
  AppendNumber(record.code, 100000 + Below(900000), 6);
  record.gl = kGrids[Below(kGrids.size())];

  record.qsl = Chance(500) ? "J " : "D ";
  std::uint32_t roll = Below(1000);
  for (const auto& [mark, weight] : kQslMarks) {
    if (roll < weight) {
      record.qsl += mark;
      break;
    }
    roll -= weight;
  }
  if (record.qsl.size() < 3) record.qsl += ' ';

  record.flag.assign(1, Chance(900) ? ' ' : '1');
  MakeFrequencyAndMode(record);
  const bool phone = record.mode == "SSB" || record.mode == "FM" || record.mode == "AM";
  record.his = phone ? "59" : record.mode == "FT8" ? "-10" : "599";
  record.my = record.his;
  record.name = kNames[Below(kNames.size())];
  record.qth = kQths[Below(kQths.size())];
  record.rmk1 = Chance(50) ? "EYEBALL" : "";
  record.rmk2.clear();
}

bool WriteSampleLog(const std::filesystem::path& out, std::uint32_t count, std::uint32_t seed) {
  if (count > kMaxRecordCount) return false;
  // Written beside the target and renamed over it, so that a failure leaves no half a log.
  std::filesystem::path temp = platform::PathFromUtf8(".");
  temp += out.filename();
  temp += platform::PathFromUtf8(".part");
  temp = out.parent_path() / temp;
  const bool ok =
      IsAdifName(out) ? WriteSampleAdif(temp, count, seed) : WriteSampleDatabase(temp, count, seed);
  std::error_code error;
  if (ok) std::filesystem::rename(temp, out, error);
  if (!ok || error) {
    std::filesystem::remove(temp, error);
    return false;
  }
  return true;
}

}  // namespace sfxtal::logwriter
