#include "logdb/log_database.h"

#include <algorithm>
#include <array>

#include "logdb/log_texts.h"
#include "platform/ascii_text.h"
#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/text_codec.h"

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

unsigned Uint16At(const unsigned char* bytes) {
  return bytes[0] + 256u * bytes[1];
}

// "00" to "99", so that two digits take one look-up rather than two divisions: every record has
// six bytes written so.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (std::size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// A byte in decimal, at least two digits (the pattern "00"); the end of what was written.
char* PutTwoDigits(char* out, unsigned value) {
  if (value >= 100) {
    *out++ = static_cast<char>('0' + value / 100);
    value %= 100;
  }
  out[0] = kDigitPairs[2 * value];
  out[1] = kDigitPairs[2 * value + 1];
  return out + 2;
}

}  // namespace

LogDatabase::LogDatabase(platform::UserInterface& ui, FrequencyErrors& errors)
    : ui_(ui), frequencyCheck_(ui, errors, platform::BytesAsCharacters) {}

LogDatabase::~LogDatabase() {
  CloseLogDatabase();
}

std::filesystem::path LogDatabase::FormedPath() const {
  const bool isTdb =
      platform::EqualsIgnoringAsciiCase(platform::RightCharacters(DbPath, 4), ".TDB");
  return platform::PathFromUtf8(isTdb ? DbPath : DbPath + ".tdb");
}

bool LogDatabase::OpenLogDatabase(const std::string& dbPath) {
  DbPath = dbPath;
  const auto found = platform::FindFormedFile(FormedPath());
  if (!found) {
    lastOpenFailure_ = OpenFailure::kMissing;
    return false;
  }
  if (IsOpen()) {
    lastOpenFailure_ = OpenFailure::kNone;
    return true;
  }

  // Shared reading: the logging program may have the file open, even for writing; no lock.
  if (!file_.Open(*found)) {
    lastOpenFailure_ = OpenFailure::kMissing;
    return false;
  }
  unsigned char head[kMinimumFileSize];
  const bool complete = file_.ReadAt(0, head, sizeof head) == sizeof head;
  const unsigned headerLength = complete ? Uint16At(head + 8) : 0;
  const unsigned recordLength = complete ? Uint16At(head + 10) : 0;
  // A record length of 0 would put every record at the same place: one record read over and
  // over, up to sixteen million times.
  if (!complete || headerLength > kLargestLength || recordLength == 0 ||
      recordLength > kLargestLength) {
    file_.Close();
    recordCount_ = 0;
    headerLength_ = 0;
    recordLength_ = 0;
    fieldWidths_.fill(0);
    widthSum_ = 0;
    lastOpenFailure_ = OpenFailure::kMalformed;
    ui_.ShowMessage(platform::WithPath(logdb::kMalformedLogMessage, *found));
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
      ui_.ShowMessage(std::string(logdb::kNameMismatchMessage) +
                      std::string(kExpectedNames[static_cast<std::size_t>(i)]));
    }
    if (i == kCalls) widthSum_ = 0;
    fieldWidths_[static_cast<std::size_t>(i)] = descriptor[kWidthOffset];
    widthSum_ = static_cast<std::int16_t>(widthSum_ + descriptor[kWidthOffset]);
  }
  if (widthSum_ + 1 != recordLength_) {
    ui_.ShowMessage(std::string(logdb::kLengthErrorMessage) + std::to_string(widthSum_) + " " +
                    std::to_string(recordLength_));
  }

  window_.clear();
  windowStart_ = 0;
  const auto w = [this](Field field) {
    return static_cast<std::size_t>(fieldWidths_[static_cast<std::size_t>(field)]);
  };
  plan_.calls = {1, w(kCalls)};  // after the status byte
  plan_.ign = {plan_.calls.at + w(kCalls), w(kIgn)};
  plan_.date = {plan_.ign.at + w(kIgn), w(kDate)};
  plan_.time = plan_.date.at + w(kDate);
  plan_.qsl3 = plan_.time + kTimeBytes + w(kCode) + w(kGl) + (kQslBytes - 1);  // its third byte
  plan_.freq = {plan_.qsl3 + 1 + w(kFlag) + w(kHis) + w(kMy), w(kFreq)};
  plan_.mode = {plan_.freq.at + w(kFreq), w(kMode)};
  plan_.end = plan_.mode.at + w(kMode);
  lastOpenFailure_ = OpenFailure::kNone;
  return true;
}

void LogDatabase::CloseLogDatabase() {
  file_.Close();
  window_.clear();
  window_.shrink_to_fit();
}

const unsigned char* LogDatabase::RecordBytes(std::int64_t offset, std::size_t size) {
  const std::int64_t windowEnd = windowStart_ + static_cast<std::int64_t>(window_.size());
  if (offset < windowStart_ || offset + static_cast<std::int64_t>(size) > windowEnd) {
    // One read per 64 KiB rather than one per record: bench_steps' BM_ReaderPass over a million
    // records takes a tenth of the time so (142 ms against 1,604 ms of processor time). A window
    // that met the end of the file is read again next time, so records that the logging program
    // appends later are seen.
    window_.resize(std::max(kWindowSize, size));
    window_.resize(file_.ReadAt(offset, window_.data(), window_.size()));
    windowStart_ = offset;
    if (window_.size() < size) return nullptr;
  }
  return window_.data() + (offset - windowStart_);
}

bool LogDatabase::ReadQso(CurrentQso& current) {
  if (programEnded_) return false;
  if (!IsOpen()) OpenLogDatabase(DbPath);
  if (!IsOpen() || current.Pointer < 1 || current.Pointer > recordCount_) return false;

  // 64-bit: a large record number times a large record length does not fit in 32 bits.
  const std::int64_t offset = static_cast<std::int64_t>(headerLength_) +
                              static_cast<std::int64_t>(current.Pointer - 1) * recordLength_;
  // A copy: the texts written below could otherwise be the plan's bytes, for all the compiler
  // knows, and every use would read the plan again.
  const RecordPlan plan = plan_;
  const unsigned char* record = RecordBytes(offset, plan.end);
  if (record == nullptr) return false;
  // The status byte is not looked at: records are delivered whatever it holds.
  const auto field = [record](FieldPlace place) {
    return std::string_view(reinterpret_cast<const char*>(record) + place.at, place.width);
  };

  const std::string_view freq = platform::TrimBlanks(field(plan.freq));
  std::string_view band;
  if (!frequencyCheck_.Classify(current.Pointer, freq, band)) {
    CloseLogDatabase();
    programEnded_ = true;
    ui_.EndProgram();
    return false;
  }

  QsoRecord& qso = current.Qso;
  qso.Band = band;
  qso.Freq = freq;
  qso.Calls = platform::TrimBlanks(field(plan.calls));
  qso.Ign = field(plan.ign);
  std::copy(qso.Ign.begin(), qso.Ign.end(),
            std::copy(qso.Calls.begin(), qso.Calls.end(), callsign_.begin()));
  qso.Callsign = std::string_view(callsign_.data(), qso.Calls.size() + qso.Ign.size());

  // Each DATE byte in decimal, at least two digits, with "-" after the second and the third.
  const std::string_view date = field(plan.date);
  char* end = date_.data();
  for (std::size_t i = 0; i < date.size(); ++i) {
    end = PutTwoDigits(end, static_cast<unsigned char>(date[i]));
    if (i == 1 || i == 2) *end++ = '-';
  }
  qso.Date = std::string_view(date_.data(), static_cast<std::size_t>(end - date_.data()));

  // TIME: hour, minute; bit 7 of the minute marks UTC ("U"), else Japan time ("J").
  const unsigned minute = record[plan.time + 1];
  end = PutTwoDigits(time_.data(), record[plan.time]);
  *end++ = ':';
  end = PutTwoDigits(end, minute & 0x7F);
  *end++ = (minute & 0x80) != 0 ? 'U' : 'J';
  qso.Time = std::string_view(time_.data(), static_cast<std::size_t>(end - time_.data()));

  qso.Qsl3 =
      platform::TrimBlanks(std::string_view(reinterpret_cast<const char*>(record) + plan.qsl3, 1));
  qso.Mode = platform::TrimBlanks(field(plan.mode));
  return true;
}

// Each byte is one character: ASCII, a half-width katakana, or a byte carried through.
std::string LogDatabase::TextOf(std::string_view logBytes) const {
  return platform::BytesAsCharacters(logBytes);
}

std::string_view LogDatabase::MissingMessage() const {
  return logdb::kLogMissingMessage;
}

}  // namespace sfxtal::logdb
