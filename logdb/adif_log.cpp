#include "logdb/adif_log.h"

#include <algorithm>
#include <array>
#include <limits>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/text_codec.h"

namespace sfxtal::logdb {
namespace {

constexpr std::size_t kWindowSize = 64 * 1024;
// A tag longer than this is taken for text between fields: real field names are a few dozen
// characters, and the length and type add a few more.
constexpr std::size_t kLongestTag = 256;
// The bytes of a field kept for the QSO; the rest of a longer field is stepped over. No callsign,
// date, frequency or mode comes near it.
constexpr std::size_t kKeptBytes = 255;
// A length beyond any file stands for "to the end of the file".
constexpr std::uint64_t kLongestLength = std::uint64_t{1} << 48;

enum class TagName { kOther, kEor, kEoh, kCall, kQsoDate, kTimeOn, kFreq, kMode, kQslRcvd };

TagName NameOf(std::string_view name) {
  // The name in capitals, then by its length: every field of every record is named, and most
  // names then need one comparison. No name the QSO needs is longer than eight characters.
  if (name.size() > 8) return TagName::kOther;
  std::array<char, 8> folded;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    folded[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  const std::string_view upper(folded.data(), name.size());
  switch (upper.size()) {
    case 3:
      return upper == "EOR" ? TagName::kEor : upper == "EOH" ? TagName::kEoh : TagName::kOther;
    case 4:
      return upper == "CALL"   ? TagName::kCall
             : upper == "FREQ" ? TagName::kFreq
             : upper == "MODE" ? TagName::kMode
                               : TagName::kOther;
    case 7:
      return upper == "TIME_ON" ? TagName::kTimeOn : TagName::kOther;
    case 8:
      return upper == "QSO_DATE"   ? TagName::kQsoDate
             : upper == "QSL_RCVD" ? TagName::kQslRcvd
                                   : TagName::kOther;
    default:
      return TagName::kOther;
  }
}

struct Tag {
  TagName name = TagName::kOther;
  std::uint64_t length = 0;  // of the data after the tag
  std::size_t size = 0;      // of the tag itself, "<" to ">"
};

// The tag at the start of `text` ("<" first), or false when it is no tag but text: a name of
// anything but blanks, "<", ">" and ":", then ":" and decimal digits with an optional ":" and
// type, then ">". A tag without a length has no data.
// The bytes a tag's name ends at: ":" and ">" end it, a blank or a "<" makes it no tag.
constexpr std::array<bool, 256> kEndsName = [] {
  std::array<bool, 256> ends{};
  for (const unsigned char c : {':', '>', ' ', '<'}) ends[c] = true;
  return ends;
}();

bool ParseTag(std::string_view text, Tag& tag) {
  // One pass, byte by byte: tags are a few bytes long, and a library search sets out over the
  // whole of `text` each time (perf: memchr took a fifth of the ADIF import's time).
  const std::size_t n = text.size();
  std::size_t i = 1;
  while (i < n && !kEndsName[static_cast<unsigned char>(text[i])]) ++i;
  if (i == 1 || i == n || text[i] == ' ' || text[i] == '<') return false;
  tag.name = NameOf(text.substr(1, i - 1));
  tag.length = 0;
  if (text[i] == ':') {
    const std::size_t digits = ++i;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
      tag.length = std::min(kLongestLength, tag.length * 10 + static_cast<unsigned>(text[i] - '0'));
    }
    if (i == digits || i == n || (text[i] != ':' && text[i] != '>')) return false;
    while (i < n && text[i] != '>') ++i;  // the type, if any
    if (i == n) return false;
  }
  tag.size = i + 1;
  return true;
}

bool IsDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// QSO_DATE as CCYY-MM-DD into `out`; false when it is not eight digits of a month 01-12 and a
// day 01-31.
bool SetDate(std::array<char, 10>& out, std::string_view date) {
  if (date.size() != 8 || !IsDigits(date)) return false;
  const int month = (date[4] - '0') * 10 + (date[5] - '0');
  const int day = (date[6] - '0') * 10 + (date[7] - '0');
  if (month < 1 || month > 12 || day < 1 || day > 31) return false;
  const std::array<char, 10> formed = {date[0], date[1], date[2], date[3], '-',
                                       date[4], date[5], '-',     date[6], date[7]};
  out = formed;
  return true;
}

}  // namespace

AdifLog::AdifLog(platform::UserInterface& ui, FrequencyErrors& errors)
    : ui_(ui), frequencyCheck_(ui, errors, platform::DecodeCp932) {}

AdifLog::~AdifLog() {
  CloseLogDatabase();
}

bool AdifLog::OpenLogDatabase(const std::string& dbPath) {
  path_ = dbPath;
  lastOpenFailure_ = OpenFailure::kNone;
  if (file_.IsOpen()) return true;
  const std::filesystem::path path = platform::PathFromUtf8(dbPath);
  if (!file_.Open(path)) {
    lastOpenFailure_ = OpenFailure::kMissing;
    return false;
  }
  leftOut_ = {};
  countedUpTo_ = 0;
  Rewind();
  if (NextRecord(raw_) != Found::kRecord) {
    CloseLogDatabase();
    lastOpenFailure_ = OpenFailure::kMalformed;
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    ui_.ShowMessage(platform::WithPath(kMalformedAdifMessage, error ? path : full));
    return false;
  }
  Rewind();
  return true;
}

void AdifLog::CloseLogDatabase() {
  file_.Close();
  window_.clear();
  window_.shrink_to_fit();
}

// Bytes outside ASCII are CP932, as the program's own files are.
std::string AdifLog::TextOf(std::string_view logBytes) const {
  return platform::DecodeCp932(logBytes);
}

std::string_view AdifLog::MissingMessage() const {
  return kAdifMissingMessage;
}

std::string AdifLog::LeftOutMessage() const {
  if (leftOut_.Total() == 0) return {};
  const std::filesystem::path path = platform::PathFromUtf8(path_);
  std::error_code error;
  const std::filesystem::path full = std::filesystem::absolute(path, error);
  return platform::WithPath(AdifLeftOutMessage(leftOut_), error ? path : full);
}

void AdifLog::Rewind() {
  window_.clear();
  windowStart_ = 0;
  at_ = 0;
  nextRecord_ = 1;
  // A file that starts with "<" has no header.
  inHeader_ = !(Fill(1) && window_[0] == '<');
}

bool AdifLog::Refill(std::size_t size) {
  window_.erase(0, at_);
  windowStart_ += static_cast<std::int64_t>(at_);
  at_ = 0;
  const std::size_t have = window_.size();
  window_.resize(std::max(kWindowSize, size));
  const std::size_t got = file_.ReadAt(windowStart_ + static_cast<std::int64_t>(have),
                                       window_.data() + have, window_.size() - have);
  window_.resize(have + got);
  return window_.size() >= size;
}

void AdifLog::Skip(std::uint64_t size) {
  if (size <= window_.size() - at_) {
    at_ += static_cast<std::size_t>(size);
    return;
  }
  // Past the window: the window starts again there (past the end of the file, it stays empty).
  windowStart_ += static_cast<std::int64_t>(at_) + static_cast<std::int64_t>(size);
  window_.clear();
  at_ = 0;
}

AdifLog::Found AdifLog::NextRecord(RawRecord& record) {
  for (std::string* field :
       {&record.call, &record.date, &record.time, &record.freq, &record.mode, &record.qsl}) {
    field->clear();
  }
  bool anyField = false;
  for (;;) {
    if (at_ == window_.size() && !Fill(1)) return anyField ? Found::kUnended : Found::kEnd;
    // A plain loop: the next field mostly follows at once, or after a blank or a line end.
    while (at_ < window_.size() && window_[at_] != '<') ++at_;
    if (at_ == window_.size()) continue;
    Fill(kLongestTag);
    Tag tag;
    const std::size_t seen = std::min(kLongestTag, window_.size() - at_);
    if (!ParseTag(std::string_view(window_).substr(at_, seen), tag)) {
      ++at_;  // a "<" of the text between fields
      continue;
    }
    at_ += tag.size;
    if (tag.name == TagName::kEoh) {
      inHeader_ = false;
      continue;
    }
    if (inHeader_) {
      Skip(tag.length);
      continue;
    }
    if (tag.name == TagName::kEor) {
      if (nextRecord_ == std::numeric_limits<std::int32_t>::max()) return Found::kEnd;
      ++nextRecord_;
      return Found::kRecord;
    }
    anyField = true;
    std::string* into = nullptr;
    switch (tag.name) {
      case TagName::kCall:
        into = &record.call;
        break;
      case TagName::kQsoDate:
        into = &record.date;
        break;
      case TagName::kTimeOn:
        into = &record.time;
        break;
      case TagName::kFreq:
        into = &record.freq;
        break;
      case TagName::kMode:
        into = &record.mode;
        break;
      case TagName::kQslRcvd:
        into = &record.qsl;
        break;
      default:
        break;
    }
    if (into != nullptr) {
      const std::size_t kept =
          static_cast<std::size_t>(std::min<std::uint64_t>(tag.length, kKeptBytes));
      Fill(kept);
      into->assign(window_, at_, std::min(kept, window_.size() - at_));
    }
    Skip(tag.length);
  }
}

bool AdifLog::ReadQso(CurrentQso& current) {
  if (programEnded_) return false;
  if (!file_.IsOpen() && !OpenLogDatabase(path_)) return false;
  if (current.Pointer < 1) return false;
  if (current.Pointer < nextRecord_) Rewind();
  for (;;) {
    const std::int32_t place = nextRecord_;
    const Found found = NextRecord(raw_);
    const bool firstTime = place > countedUpTo_;
    if (found != Found::kRecord) {
      if (found == Found::kUnended && firstTime) {
        ++leftOut_.Unended;
        countedUpTo_ = place;
      }
      return false;
    }
    if (firstTime) countedUpTo_ = place;
    const std::string_view call = platform::TrimBlanks(raw_.call);
    if (call.empty() || !SetDate(date_, raw_.date)) {
      if (firstTime) ++(call.empty() ? leftOut_.NoCall : leftOut_.NoDate);
      continue;
    }
    if (place < current.Pointer) continue;
    std::string_view band;
    if (!frequencyCheck_.Classify(place, raw_.freq, band)) {
      CloseLogDatabase();
      programEnded_ = true;
      ui_.EndProgram();
      return false;
    }
    QsoRecord& qso = current.Qso;
    qso.Calls = call;
    qso.Ign = {};
    qso.Callsign = call;
    qso.Date = std::string_view(date_.data(), date_.size());
    qso.Time = {};
    if ((raw_.time.size() == 4 || raw_.time.size() == 6) && IsDigits(raw_.time)) {
      time_ = {raw_.time[0], raw_.time[1], ':', raw_.time[2], raw_.time[3], 'U'};
      qso.Time = std::string_view(time_.data(), time_.size());
    }
    // The marks in capitals: views of text that lives as long as the program.
    qso.Qsl3 = {};
    if (raw_.qsl.size() == 1) {
      const char mark = static_cast<char>(raw_.qsl[0] & ~0x20);
      if (mark == 'Y') qso.Qsl3 = "Y";
      if (mark == 'V') qso.Qsl3 = "V";
    }
    qso.Freq = raw_.freq;
    qso.Mode = raw_.mode;
    qso.Band = band;
    current.Pointer = place;
    return true;
  }
}

}  // namespace sfxtal::logdb
