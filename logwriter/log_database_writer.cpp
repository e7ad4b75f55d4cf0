#include "logwriter/log_database_writer.h"

#include <algorithm>
#include <cstring>

#include "platform/text_file.h"

namespace sfxtal::logwriter {
namespace {

constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kDescriptorSize = 32;
constexpr std::size_t kNameSize = 10;
constexpr std::size_t kWidthOffset = 16;
constexpr std::size_t kTypeOffset = 11;
constexpr char kFieldTableEnd = 0x0D;
constexpr char kVersionByte = 0x03;

void PutUint16(std::string& bytes, std::size_t offset, std::uint16_t value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>(value >> 8);
}

void PutRecordCount(std::string& bytes, std::uint32_t count) {
  bytes[4] = static_cast<char>(count & 0xFF);
  bytes[5] = static_cast<char>((count >> 8) & 0xFF);
  bytes[6] = static_cast<char>((count >> 16) & 0xFF);
}

std::uint16_t DefaultRecordLength(const LogLayout& layout) {
  std::size_t sum = 1;  // the status byte
  for (const auto& field : layout.fields) sum += field.width;
  return static_cast<std::uint16_t>(std::min<std::size_t>(sum, 0xFFFF));
}

std::size_t RecordLengthOf(const LogLayout& layout) {
  return layout.recordLength.value_or(DefaultRecordLength(layout));
}

std::size_t HeaderLengthOf(const LogLayout& layout) {
  const std::size_t tableEnd = kHeaderSize + kDescriptorSize * layout.fields.size() + 1;
  return layout.headerLength.value_or(
      static_cast<std::uint16_t>(std::min<std::size_t>(tableEnd, 0xFFFF)));
}

// Header, field table and its end byte, sized to the header length: a longer header length is
// filled with NULs, a shorter one cuts the table.
std::string HeaderBytes(const LogLayout& layout, std::uint32_t recordCount) {
  std::string bytes(kHeaderSize, '\0');
  bytes[0] = kVersionByte;
  PutRecordCount(bytes, recordCount);
  bytes[7] = static_cast<char>(layout.headerByte7);
  PutUint16(bytes, 8, static_cast<std::uint16_t>(HeaderLengthOf(layout)));
  PutUint16(bytes, 10, static_cast<std::uint16_t>(RecordLengthOf(layout)));
  for (const auto& field : layout.fields) {
    std::string descriptor(kDescriptorSize, '\0');
    descriptor.replace(0, std::min(field.name.size(), kNameSize), field.name, 0, kNameSize);
    descriptor[kTypeOffset] = 'C';
    descriptor[kWidthOffset] = static_cast<char>(field.width);
    bytes += descriptor;
  }
  bytes += kFieldTableEnd;
  bytes.resize(HeaderLengthOf(layout), '\0');
  return bytes;
}

// The value a record gives to the field at `position` (0-based) of the table.
std::string_view FieldValue(const LogRecord& record, std::size_t position, std::string& scratch) {
  switch (position) {
    case 0:
      return record.calls;
    case 1:
      return record.ign;
    case 2:
      scratch.assign(record.date.begin(), record.date.end());
      return scratch;
    case 3:
      scratch.assign({static_cast<char>(record.hour), static_cast<char>(record.minute)});
      return scratch;
    case 4:
      return record.code;
    case 5:
      return record.gl;
    case 6:
      return record.qsl;
    case 7:
      return record.flag;
    case 8:
      return record.his;
    case 9:
      return record.my;
    case 10:
      return record.freq;
    case 11:
      return record.mode;
    case 12:
      return record.name;
    case 13:
      return record.qth;
    case 14:
      return record.rmk1;
    case 15:
      return record.rmk2;
    default:
      return {};
  }
}

// Appends one record of exactly the layout's record length.
void AppendRecord(std::string& out, const LogRecord& record, const LogLayout& layout,
                  std::string& scratch) {
  const std::size_t start = out.size();
  out += record.status;
  for (std::size_t position = 0; position < layout.fields.size(); ++position) {
    const std::size_t width = layout.fields[position].width;
    const std::string_view value = FieldValue(record, position, scratch);
    const std::size_t taken = std::min(value.size(), width);
    out.append(value.data(), taken);
    out.append(width - taken, ' ');
  }
  out.resize(start + RecordLengthOf(layout), ' ');
}

}  // namespace

std::vector<LogFieldSpec> StandardFields() {
  return {{"CALLS", 12}, {"IGN", 6},  {"DATE", 4},  {"TIME", 2}, {"CODE", 6}, {"GL", 6},
          {"QSL", 3},    {"FLAG", 1}, {"HIS", 3},   {"MY", 3},   {"FREQ", 8}, {"MODE", 5},
          {"NAME", 12},  {"QTH", 16}, {"RMK1", 20}, {"RMK2", 20}};
}

void LogRecord::SetDate(int year, int month, int day) {
  date = {static_cast<std::uint8_t>(year / 100), static_cast<std::uint8_t>(year % 100),
          static_cast<std::uint8_t>(month), static_cast<std::uint8_t>(day)};
}

std::string LogDatabaseBytes(const std::vector<LogRecord>& records, const LogLayout& layout) {
  std::string bytes =
      HeaderBytes(layout, layout.recordCount.value_or(static_cast<std::uint32_t>(records.size())));
  bytes.reserve(bytes.size() + records.size() * RecordLengthOf(layout));
  std::string scratch;
  for (const auto& record : records) AppendRecord(bytes, record, layout, scratch);
  return bytes;
}

LogDatabaseWriter::~LogDatabaseWriter() {
  Close();
}

bool LogDatabaseWriter::Open(const std::filesystem::path& path, std::uint32_t recordCount,
                             const LogLayout& layout) {
  Close();
  layout_ = layout;
  failed_ = false;
  promised_ = recordCount;
  added_ = 0;
  file_ = platform::OpenFileStream(path, "wb");
  if (file_ == nullptr) return false;
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 20);
  const std::string header = HeaderBytes(layout_, layout_.recordCount.value_or(recordCount));
  failed_ = std::fwrite(header.data(), 1, header.size(), file_) != header.size();
  return !failed_;
}

bool LogDatabaseWriter::Add(const LogRecord& record) {
  if (file_ == nullptr || failed_) return false;
  buffer_.clear();
  AppendRecord(buffer_, record, layout_, scratch_);
  failed_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size();
  ++added_;
  return !failed_;
}

bool LogDatabaseWriter::Close() {
  if (file_ == nullptr) return false;
  // The header must tell the truth about the records that are there, unless a test asked for a
  // count of its own.
  if (!failed_ && !layout_.recordCount && added_ != promised_) {
    std::string count(7, '\0');
    PutRecordCount(count, added_);
    failed_ = std::fflush(file_) != 0 || std::fseek(file_, 4, SEEK_SET) != 0 ||
              std::fwrite(count.data() + 4, 1, 3, file_) != 3;
  }
  failed_ = std::fflush(file_) != 0 || failed_;
  failed_ = std::fclose(file_) != 0 || failed_;
  file_ = nullptr;
  return !failed_;
}

bool WriteLogDatabase(const std::filesystem::path& path, const std::vector<LogRecord>& records,
                      const LogLayout& layout) {
  LogDatabaseWriter writer;
  if (!writer.Open(path, static_cast<std::uint32_t>(records.size()), layout)) return false;
  for (const auto& record : records) writer.Add(record);
  return writer.Close();
}

}  // namespace sfxtal::logwriter
