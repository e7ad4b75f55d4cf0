#include "logwriter/adif_writer.h"

#include <string_view>

namespace sfxtal::logwriter {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

void AppendTwoDigits(std::string& out, unsigned value) {
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

void AppendField(std::string& out, std::string_view name, std::string_view data) {
  out += '<';
  out += name;
  out += ':';
  out += std::to_string(data.size());
  out += '>';
  out += data;
  out += ' ';
}

}  // namespace

void AppendAdifRecord(std::string& out, const LogRecord& record) {
  std::string call(Trimmed(record.calls));
  call += Trimmed(record.ign);
  AppendField(out, "CALL", call);
  std::string date;
  for (const std::uint8_t part : record.date) AppendTwoDigits(date, part);
  AppendField(out, "QSO_DATE", date);
  std::string time;
  AppendTwoDigits(time, record.hour);
  AppendTwoDigits(time, record.minute & 0x7Fu);
  AppendField(out, "TIME_ON", time);
  AppendField(out, "FREQ", Trimmed(record.freq));
  AppendField(out, "MODE", Trimmed(record.mode));
  const char mark = record.qsl.size() >= 3 ? record.qsl[2] : ' ';
  AppendField(out, "QSL_RCVD", mark == ' ' ? "N" : mark == 'V' ? "V" : "Y");
  out += "<EOR>\r\n";
}

std::string AdifBytes(const std::vector<LogRecord>& records) {
  std::string bytes(kAdifHeader);
  for (const LogRecord& record : records) AppendAdifRecord(bytes, record);
  return bytes;
}

}  // namespace sfxtal::logwriter
