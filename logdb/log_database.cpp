#include "logdb/log_database.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>

#include "app/file_exists.h"
#include "app/text_codec.h"
#include "logdb/band.h"

namespace sfxtal::logdb {
namespace {

constexpr std::size_t kMinimumFileSize = 32 + 16 * 32;  // header and the 16 descriptors
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kNameSize = 10;
constexpr std::size_t kWidthOffset = 16;
constexpr unsigned kLargestLength = 32767;
constexpr std::size_t kWindowSize = 64 * 1024;

// Field positions in the table, counted from 0.
enum Field {
  kCalls,
  kIgn,
  kDate,
  kTime,
  kCode,
  kGl,
  kQsl,
  kFlag,
  kHis,
  kMy,
  kFreq,
  kMode,
  kName,
  kQth,
  kRmk1,
  kRmk2,
};

constexpr std::array<std::string_view, LogDatabase::kFieldCount> kExpectedNames = {
    "CALLS", "IGN", "DATE", "TIME", "CODE", "GL",  "QSL",  "FLAG",
    "HIS",   "MY",  "FREQ", "MODE", "NAME", "QTH", "RMK1", "RMK2",
};

// The reader always takes 2 bytes of TIME and 3 of QSL, whatever their declared widths.
constexpr std::size_t kTimeBytes = 2;
constexpr std::size_t kQslBytes = 3;

constexpr std::string_view kFrequencyFlood = "周波数エラーが多発しています\n処理を中断しますか？";
constexpr std::string_view kKeepReporting = "今後も周波数エラーを表示しますか？";

unsigned Uint16At(const unsigned char* bytes) {
  return bytes[0] + 256u * bytes[1];
}

// Reads exactly `size` bytes at `offset` unless the file ends first; the number read.
std::size_t ReadAt(int fd, unsigned char* buffer, std::size_t size, std::int64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

// Bytes as characters; ASCII (nearly every byte of a log) needs no conversion, and the string's
// capacity is reused.
void AssignCharacters(std::string& out, std::string_view bytes) {
  for (unsigned char b : bytes) {
    if (b >= 0x80) {
      out = app::BytesAsCharacters(bytes);
      return;
    }
  }
  out.assign(bytes);
}

// A byte in decimal, at least two digits.
void AppendTwoDigits(std::string& out, unsigned value) {
  if (value >= 100) out += static_cast<char>('0' + value / 100);
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

}  // namespace

LogDatabase::LogDatabase(app::UserInterface& ui, FrequencyErrors& errors)
    : ui_(ui), errors_(errors) {}

LogDatabase::~LogDatabase() {
  CloseLogDatabase();
}

bool LogDatabase::IsOpen() const {
  return fd_ >= 0;
}

std::filesystem::path LogDatabase::FormedPath() const {
  const std::string_view last = app::RightCharacters(DbPath, 4);
  bool isTdb = last.size() == 4;
  for (std::size_t i = 0; isTdb && i < 4; ++i) {
    char c = last[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    isTdb = c == ".TDB"[i];
  }
  return std::filesystem::path(isTdb ? DbPath : DbPath + ".tdb");
}

bool LogDatabase::OpenLogDatabase() {
  const auto found = app::FindFormedFile(FormedPath());
  if (!found) {
    lastOpenFailure_ = OpenFailure::kMissing;
    return false;
  }
  if (IsOpen()) {
    lastOpenFailure_ = OpenFailure::kNone;
    return true;
  }

  // Shared reading: the logging program may have the file open, even for writing; no lock.
  const int fd = ::open(found->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    lastOpenFailure_ = OpenFailure::kMissing;
    return false;
  }
  unsigned char head[kMinimumFileSize];
  const bool complete = ReadAt(fd, head, sizeof head, 0) == sizeof head;
  const unsigned headerLength = complete ? Uint16At(head + 8) : 0;
  const unsigned recordLength = complete ? Uint16At(head + 10) : 0;
  if (!complete || headerLength > kLargestLength || recordLength > kLargestLength) {
    ::close(fd);
    recordCount_ = 0;
    headerLength_ = 0;
    recordLength_ = 0;
    fieldWidths_.fill(0);
    widthSum_ = 0;
    lastOpenFailure_ = OpenFailure::kMalformed;
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(*found, error);
    ui_.ShowMessage("Tevrak.TDB の形式が正しくありません\n" + (error ? *found : full).string());
    return false;
  }

  recordCount_ = static_cast<std::int32_t>(head[4] + 256u * head[5] + 65536u * head[6]);
  headerLength_ = static_cast<std::int16_t>(headerLength);
  recordLength_ = static_cast<std::int16_t>(recordLength);
  for (int i = 0; i < kFieldCount; ++i) {
    const unsigned char* descriptor = head + 32 + kDescriptorSize * static_cast<std::size_t>(i);
    std::size_t nameLength = 0;
    while (nameLength < kNameSize && descriptor[nameLength] != 0) ++nameLength;
    const std::string_view name(reinterpret_cast<const char*>(descriptor), nameLength);
    if (name != kExpectedNames[static_cast<std::size_t>(i)]) {
      ui_.ShowMessage("名称違い" + std::string(kExpectedNames[static_cast<std::size_t>(i)]));
    }
    if (i == kCalls) widthSum_ = 0;
    fieldWidths_[static_cast<std::size_t>(i)] = descriptor[kWidthOffset];
    widthSum_ = static_cast<std::int16_t>(widthSum_ + descriptor[kWidthOffset]);
  }
  if (widthSum_ + 1 != recordLength_) {
    ui_.ShowMessage("長さ感知エラー " + std::to_string(widthSum_) + " " +
                    std::to_string(recordLength_));
  }

  fd_ = fd;
  window_.clear();
  windowStart_ = 0;
  const auto w = [this](Field field) {
    return static_cast<std::size_t>(fieldWidths_[static_cast<std::size_t>(field)]);
  };
  bytesToMode_ = 1 + w(kCalls) + w(kIgn) + w(kDate) + kTimeBytes + w(kCode) + w(kGl) + kQslBytes +
                 w(kFlag) + w(kHis) + w(kMy) + w(kFreq) + w(kMode);
  lastOpenFailure_ = OpenFailure::kNone;
  return true;
}

void LogDatabase::CloseLogDatabase() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  window_.clear();
  window_.shrink_to_fit();
}

const unsigned char* LogDatabase::RecordBytes(std::int64_t offset, std::size_t size) {
  const std::int64_t windowEnd = windowStart_ + static_cast<std::int64_t>(window_.size());
  if (offset < windowStart_ || offset + static_cast<std::int64_t>(size) > windowEnd) {
    // Read ahead a window's worth, so that reading records in order costs one read per window.
    // A window that met the end of the file is read again next time, so records that the
    // logging program appends later are seen.
    window_.resize(std::max(kWindowSize, size));
    window_.resize(ReadAt(fd_, window_.data(), window_.size(), offset));
    windowStart_ = offset;
    if (window_.size() < size) return nullptr;
  }
  return window_.data() + (offset - windowStart_);
}

bool LogDatabase::ReadQso() {
  if (programEnded_) return false;
  if (!IsOpen()) OpenLogDatabase();
  if (!IsOpen() || Pointer < 1 || Pointer > recordCount_) return false;

  // 64-bit: a large record number times a large record length does not fit in 32 bits.
  const std::int64_t offset = static_cast<std::int64_t>(headerLength_) +
                              static_cast<std::int64_t>(Pointer - 1) * recordLength_;
  const unsigned char* record = RecordBytes(offset, bytesToMode_);
  if (record == nullptr) return false;

  // Decoded aside and swapped in at the end, so that a record not delivered leaves Qso as it was.
  QsoRecord& next = spare_;
  const auto take = [&record, this](Field field) {
    const auto width = static_cast<std::size_t>(fieldWidths_[static_cast<std::size_t>(field)]);
    const std::string_view bytes(reinterpret_cast<const char*>(record), width);
    record += width;
    return bytes;
  };
  ++record;  // the status byte: records are delivered whatever it holds

  AssignCharacters(next.Calls, app::TrimBlanks(take(kCalls)));
  AssignCharacters(next.Ign, take(kIgn));
  next.Callsign.assign(next.Calls).append(next.Ign);

  next.Date.clear();
  const std::string_view date = take(kDate);
  for (std::size_t i = 0; i < date.size(); ++i) {
    AppendTwoDigits(next.Date, static_cast<unsigned char>(date[i]));
    if (i == 1 || i == 2) next.Date += '-';
  }

  const unsigned hour = record[0];
  const unsigned minute = record[1];
  record += kTimeBytes;
  next.Time.clear();
  AppendTwoDigits(next.Time, hour);
  next.Time += ':';
  AppendTwoDigits(next.Time, minute & 0x7F);
  next.Time += (minute & 0x80) != 0 ? 'U' : 'J';

  take(kCode);
  take(kGl);
  const std::string_view qsl3(reinterpret_cast<const char*>(record) + 2, 1);
  record += kQslBytes;
  AssignCharacters(next.Qsl3, app::TrimBlanks(qsl3));
  take(kFlag);
  take(kHis);
  take(kMy);

  AssignCharacters(next.Freq, app::TrimBlanks(take(kFreq)));
  const std::string_view band = BandLabel(next.Freq);
  if (band.empty() && !ReportInvalidFrequency(next.Freq)) return false;

  AssignCharacters(next.Mode, app::TrimBlanks(take(kMode)));
  std::swap(Qso, next);
  band_.assign(band);
  return true;
}

bool LogDatabase::ReportInvalidFrequency(const std::string& freq) {
  if (errors_.FreqErrorCount == FrequencyErrors::kSilent) return true;
  ui_.ShowMessage("交信番号 " + std::to_string(Pointer) + " の交信周波数は 無効です\n" + freq);
  ++errors_.FreqErrorCount;
  if (errors_.FreqErrorCount < 10) return true;
  if (ui_.AskYesNo(std::string(kFrequencyFlood))) {
    CloseLogDatabase();
    programEnded_ = true;
    ui_.EndProgram();
    return false;
  }
  errors_.FreqErrorCount = ui_.AskYesNo(std::string(kKeepReporting)) ? 0 : FrequencyErrors::kSilent;
  return true;
}

}  // namespace sfxtal::logdb
