#pragma once

#include <string>
#include <vector>

#include "logwriter/log_database_writer.h"

namespace sfxtal::logwriter {

/// The text every ADIF file written here starts with, up to and including <EOH> and its line end.
inline constexpr std::string_view kAdifHeader =
    "SfxTal sample log\r\n<ADIF_VER:5>3.1.4 <PROGRAMID:6>SfxTal <EOH>\r\n";

/// Appends a log record as one ADIF record (a line ended by <EOR> and CR LF): CALL is CALLS and
/// IGN with their blanks trimmed, QSO_DATE and TIME_ON come from the date and time bytes, FREQ
/// and MODE are trimmed, and QSL_RCVD is the third QSL byte where it is "Y" or "V", "N" where it
/// is blank and "Y" for any other mark (ADIF knows no others). Bytes are written as they are
/// (CP932), the lengths counting them.
void AppendAdifRecord(std::string& out, const LogRecord& record);

/// A whole ADIF file of these records, header first.
std::string AdifBytes(const std::vector<LogRecord>& records);

}  // namespace sfxtal::logwriter
