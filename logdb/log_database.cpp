#include "logdb/log_database.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "logdb/band.h"
#include "platform/file_exists.h"
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

constexpr std::string_view kFrequencyFlood = "周波数エラーが多発しています\n処理を中断しますか？";
constexpr std::string_view kKeepReporting = "今後も周波数エラーを表示しますか？";

unsigned Uint16At(const unsigned char* bytes) {
  return bytes[0] + 256u * bytes[1];
}

bool IsAscii(std::string_view bytes) {
  // Eight bytes at a time, the last word overlapping the one before: this runs over every text
  // field of every record.
  std::uint64_t any = 0;
  if (bytes.size() >= 8) {
    for (std::size_t i = 0; i + 8 <= bytes.size(); i += 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes.data() + i, 8);
      any |= word;
    }
    std::uint64_t last;
    std::memcpy(&last, bytes.data() + bytes.size() - 8, 8);
    any |= last;
  } else {
    for (unsigned char b : bytes) any |= b;
  }
  return (any & 0x8080808080808080ull) == 0;
}

// Without ASCII blanks at both ends (the only blank the log knows). `readableBefore` bytes before
// the text may be read too (they belong to the same record).
std::string_view Trim(std::string_view bytes, std::size_t readableBefore = 0) {
  const char* data = bytes.data();
  std::size_t end = bytes.size();
  if constexpr (std::endian::native == std::endian::little) {
    // Fields are padded with blanks at the end: find them a word at a time rather than byte by
    // byte, whose loop would end at a different place in every record. In a little-endian word
    // the last byte in memory is the highest, so the leading zero bytes of (word ^ blanks) are
    // the trailing blanks.
    constexpr std::uint64_t kBlanks = 0x2020202020202020ull;
    if (end < 8 && end + readableBefore >= 8) {
      // A short field: one word that ends with it, reaching back into the bytes before it.
      std::uint64_t word;
      std::memcpy(&word, data + end - 8, 8);
      end -= std::min<std::size_t>(std::countl_zero(word ^ kBlanks) / 8, end);
    }
    while (end >= 8) {
      std::uint64_t word;
      std::memcpy(&word, data + end - 8, 8);
      const std::uint64_t other = word ^ kBlanks;
      if (other != 0) {
        end -= static_cast<std::size_t>(std::countl_zero(other) / 8);
        break;
      }
      end -= 8;
    }
  }
  while (end > 0 && data[end - 1] == ' ') --end;
  std::size_t begin = 0;
  while (begin < end && data[begin] == ' ') ++begin;
  return std::string_view(data + begin, end - begin);
}

// Sets a string to a few bytes; in the usual case the string's own room takes them, and this is
// cheaper than assign, which must allow for the bytes overlapping the string.
void SetText(std::string& out, std::string_view bytes) {
  out.clear();
  out.append(bytes.data(), bytes.size());
}

// Sets a string to the first `keep` bytes of `bytes`. All the bytes are copied and then cut: for
// a field that is the same number of bytes in every record, while its text is not, the copy's
// length is then always the same, which makes it cheaper.
void SetCutText(std::string& out, std::string_view bytes, std::size_t keep) {
  SetText(out, bytes);
  out.erase(keep);
}

// The field from its first non-blank byte, with the length of its text without trailing blanks.
struct TextInField {
  std::string_view bytes;  // to the end of the field
  std::size_t length;
};

TextInField FindText(std::string_view field, std::size_t readableBefore) {
  const std::string_view text = Trim(field, readableBefore);
  return {field.substr(static_cast<std::size_t>(text.data() - field.data())), text.size()};
}

// Bytes as characters; ASCII (nearly every byte of a log) needs no conversion, and the string's
// capacity is reused.
void AssignCharacters(std::string& out, std::string_view bytes) {
  if (IsAscii(bytes)) {
    SetText(out, bytes);
  } else {
    out = platform::BytesAsCharacters(bytes);
  }
}

// A byte in decimal, at least two digits; returns the end of what it wrote.
char* PutTwoDigits(char* out, unsigned value) {
  static constexpr char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  if (value >= 100) {
    *out++ = static_cast<char>('0' + value / 100);
    value %= 100;
  }
  *out++ = kPairs[2 * value];
  *out++ = kPairs[2 * value + 1];
  return out;
}

// Each DATE byte in decimal, at least two digits, with "-" after the second and third.
void PutDate(std::string& out, std::string_view date) {
  if (date.size() == 4 && static_cast<unsigned char>(date[0]) < 100 &&
      static_cast<unsigned char>(date[1]) < 100 && static_cast<unsigned char>(date[2]) < 100 &&
      static_cast<unsigned char>(date[3]) < 100) {
    // The usual shape, CCYY-MM-DD, written in place: this runs for every record.
    out.resize(10);
    char* at = out.data();
    at = PutTwoDigits(PutTwoDigits(at, static_cast<unsigned char>(date[0])),
                      static_cast<unsigned char>(date[1]));
    *at++ = '-';
    at = PutTwoDigits(at, static_cast<unsigned char>(date[2]));
    *at++ = '-';
    PutTwoDigits(at, static_cast<unsigned char>(date[3]));
    return;
  }
  char text[255 * 4];
  char* end = text;
  for (std::size_t i = 0; i < date.size(); ++i) {
    end = PutTwoDigits(end, static_cast<unsigned char>(date[i]));
    if (i == 1 || i == 2) *end++ = '-';
  }
  SetText(out, std::string_view(text, static_cast<std::size_t>(end - text)));
}

}  // namespace

LogDatabase::LogDatabase(platform::UserInterface& ui, FrequencyErrors& errors)
    : ui_(ui), errors_(errors), band_(&BandLabel("")) {}

LogDatabase::~LogDatabase() {
  CloseLogDatabase();
}

bool LogDatabase::IsOpen() const {
  return file_.IsOpen();
}

std::filesystem::path LogDatabase::FormedPath() const {
  const std::string_view last = platform::RightCharacters(DbPath, 4);
  bool isTdb = last.size() == 4;
  for (std::size_t i = 0; isTdb && i < 4; ++i) {
    char c = last[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    isTdb = c == ".TDB"[i];
  }
  return std::filesystem::path(isTdb ? DbPath : DbPath + ".tdb");
}

bool LogDatabase::OpenLogDatabase() {
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

  window_.clear();
  windowStart_ = 0;
  skimmed_ = nullptr;  // a record of the file as it was opened before is not taken any more
  const auto w = [this](Field field) {
    return static_cast<std::size_t>(fieldWidths_[static_cast<std::size_t>(field)]);
  };
  plan_.calls = 1;  // after the status byte
  plan_.ign = plan_.calls + w(kCalls);
  plan_.date = plan_.ign + w(kIgn);
  plan_.time = plan_.date + w(kDate);
  plan_.qsl3 = plan_.time + kTimeBytes + w(kCode) + w(kGl) + (kQslBytes - 1);  // its third byte
  plan_.freq = plan_.qsl3 + 1 + w(kFlag) + w(kHis) + w(kMy);
  plan_.mode = plan_.freq + w(kFreq);
  plan_.end = plan_.mode + w(kMode);
  lastOpenFailure_ = OpenFailure::kNone;
  return true;
}

void LogDatabase::CloseLogDatabase() {
  KeepSkimmed();
  file_.Close();
  window_.clear();
  window_.shrink_to_fit();
}

const unsigned char* LogDatabase::RecordBytes(std::int64_t offset, std::size_t size) {
  const std::int64_t windowEnd = windowStart_ + static_cast<std::int64_t>(window_.size());
  if (offset < windowStart_ || offset + static_cast<std::int64_t>(size) > windowEnd) {
    KeepSkimmed();
    // Read ahead a window's worth, so that reading records in order costs one read per window.
    // A window that met the end of the file is read again next time, so records that the
    // logging program appends later are seen.
    window_.resize(std::max(kWindowSize, size));
    window_.resize(file_.ReadAt(offset, window_.data(), window_.size()));
    windowStart_ = offset;
    if (window_.size() < size) return nullptr;
  }
  return window_.data() + (offset - windowStart_);
}

bool LogDatabase::ReadQso() {
  RecordFields fields;
  if (!SkimQso(fields)) return false;
  TakeQso();
  return true;
}

bool LogDatabase::SkimQso(RecordFields& fields) {
  if (programEnded_) return false;
  if (!IsOpen()) OpenLogDatabase();
  if (!IsOpen() || Pointer < 1 || Pointer > recordCount_) return false;

  // 64-bit: a large record number times a large record length does not fit in 32 bits.
  const std::int64_t offset = static_cast<std::int64_t>(headerLength_) +
                              static_cast<std::int64_t>(Pointer - 1) * recordLength_;
  const unsigned char* record = RecordBytes(offset, plan_.end);
  if (record == nullptr) return false;
  // The status byte is not looked at: records are delivered whatever it holds.
  const auto field = [record, this](std::size_t at, Field which) {
    return std::string_view(
        reinterpret_cast<const char*>(record) + at,
        static_cast<std::size_t>(fieldWidths_[static_cast<std::size_t>(which)]));
  };

  // The frequency is classified first: when the operator aborts at its report, the current QSO
  // must still be the previous one. FREQ and MODE lie side by side: in the usual all-ASCII case
  // both are taken as they are.
  const std::string_view freqAndMode(reinterpret_cast<const char*>(record) + plan_.freq,
                                     plan_.end - plan_.freq);
  const bool asciiFreqAndMode = IsAscii(freqAndMode);
  const TextInField freqField = FindText(field(plan_.freq, kFreq), plan_.freq);
  const std::string_view freq = freqField.bytes.substr(0, freqField.length);
  const std::string* band;
  if (asciiFreqAndMode) {
    band = &AsciiBandLabel(freq);
  } else {
    freqText_ = platform::BytesAsCharacters(freq);
    band = &BandLabel(freqText_);
  }
  if (band->empty()) {
    AssignCharacters(freqText_, freq);
    if (!ReportInvalidFrequency(freqText_)) return false;
  }

  const TextInField calls = FindText(field(plan_.calls, kCalls), plan_.calls);
  const TextInField mode = FindText(field(plan_.mode, kMode), plan_.mode);
  fields.calls = calls.bytes.substr(0, calls.length);
  fields.ign = field(plan_.ign, kIgn);
  fields.freq = freq;
  fields.mode = mode.bytes.substr(0, mode.length);
  fields.qsl3 = static_cast<char>(record[plan_.qsl3]);
  // CALLS and IGN lie side by side too.
  fields.ascii =
      asciiFreqAndMode && record[plan_.qsl3] < 0x80 &&
      IsAscii(std::string_view(calls.bytes.data(),
                               static_cast<std::size_t>(fields.ign.end() - calls.bytes.begin())));
  PutDate(fields.date, field(plan_.date, kDate));
  skimmed_ = record;
  skimmedBand_ = band;
  return true;
}

void LogDatabase::TakeQso() {
  if (skimmed_ == nullptr) return;
  const unsigned char* record = skimmed_;
  const auto field = [record, this](std::size_t at, Field which) {
    return std::string_view(
        reinterpret_cast<const char*>(record) + at,
        static_cast<std::size_t>(fieldWidths_[static_cast<std::size_t>(which)]));
  };

  // CALLS and IGN lie side by side: in the usual all-ASCII case both are copied as they are.
  const TextInField calls = FindText(field(plan_.calls, kCalls), plan_.calls);
  const std::string_view ign = field(plan_.ign, kIgn);
  if (IsAscii(std::string_view(calls.bytes.data(),
                               static_cast<std::size_t>(ign.end() - calls.bytes.begin())))) {
    SetCutText(Qso.Calls, calls.bytes, calls.length);
    SetText(Qso.Ign, ign);
    SetCutText(Qso.Callsign, calls.bytes, calls.length);
    Qso.Callsign.append(ign);
  } else {
    AssignCharacters(Qso.Calls, calls.bytes.substr(0, calls.length));
    AssignCharacters(Qso.Ign, ign);
    SetText(Qso.Callsign, Qso.Calls);
    Qso.Callsign.append(Qso.Ign);
  }

  PutDate(Qso.Date, field(plan_.date, kDate));

  // TIME: hour, minute; bit 7 of the minute marks UTC ("U"), else Japan time ("J").
  const unsigned minute = record[plan_.time + 1];
  char text[8];
  char* end = PutTwoDigits(text, record[plan_.time]);
  *end++ = ':';
  end = PutTwoDigits(end, minute & 0x7F);
  *end++ = (minute & 0x80) != 0 ? 'U' : 'J';
  SetText(Qso.Time, std::string_view(text, static_cast<std::size_t>(end - text)));

  const char qsl3 = static_cast<char>(record[plan_.qsl3]);
  if (static_cast<unsigned char>(qsl3) < 0x80) {
    SetCutText(Qso.Qsl3, std::string_view(&qsl3, 1), qsl3 == ' ' ? 0 : 1);
  } else {
    AssignCharacters(Qso.Qsl3, std::string_view(&qsl3, 1));
  }
  const std::string_view freqAndMode(reinterpret_cast<const char*>(record) + plan_.freq,
                                     plan_.end - plan_.freq);
  const TextInField freq = FindText(field(plan_.freq, kFreq), plan_.freq);
  const TextInField mode = FindText(field(plan_.mode, kMode), plan_.mode);
  if (IsAscii(freqAndMode)) {
    SetCutText(Qso.Freq, freq.bytes, freq.length);
    SetCutText(Qso.Mode, mode.bytes, mode.length);
  } else {
    AssignCharacters(Qso.Freq, freq.bytes.substr(0, freq.length));
    AssignCharacters(Qso.Mode, mode.bytes.substr(0, mode.length));
  }
  band_ = skimmedBand_;
}

void LogDatabase::KeepSkimmed() {
  if (skimmed_ == nullptr || skimmed_ < window_.data() ||
      skimmed_ >= window_.data() + window_.size()) {
    return;
  }
  kept_.assign(skimmed_, skimmed_ + plan_.end);
  skimmed_ = kept_.data();
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
