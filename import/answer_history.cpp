#include "import/answer_history.h"

#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_exists.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::import {
namespace {

// True when the file has bytes and its last one does not end a line: a hand-edited history whose
// last line has no CR LF would otherwise have the next answer glued onto it.
bool EndsWithoutLineEnd(const std::filesystem::path& path) {
  const int fd = platform::OpenFileForReading(path);
  if (fd < 0) return false;
  bool open = false;
  struct stat info {};
  char last;
  if (::fstat(fd, &info) == 0 && info.st_size > 0 && ::pread(fd, &last, 1, info.st_size - 1) == 1) {
    open = last != '\n' && last != '\r';
  }
  ::close(fd);
  return open;
}

}  // namespace

AnswerHistory::AnswerHistory(const std::filesystem::path& programFolder,
                             platform::UserInterface& ui)
    : path_(programFolder / kFileName), ui_(ui) {}

std::string AnswerHistory::MaeRireki(logdb::QsoRecord& qso, std::string_view callsign,
                                     std::string_view suffix) {
  if (callsign.empty() && suffix.empty()) {
    std::string answer = Lookup(qso.Callsign);
    if (!answer.empty()) qso.Calls = qso.Callsign;
    return answer;
  }
  Append(callsign, suffix);
  return {};
}

std::string AnswerHistory::Lookup(std::string_view callsign) const {
  if (!platform::FileExists(path_)) return {};
  platform::TextFileReader reader;
  if (!reader.Open(path_)) return {};
  // Compared as the file's bytes: a callsign with odd log bytes, or with bytes that have a twin
  // in CP932, matches the very line its answer was appended as. A comma is never part of a
  // two-byte character.
  const std::string wanted = platform::EncodeCp932(callsign);
  std::string line;
  while (reader.ReadLineBytes(line)) {
    const std::string_view text = line;
    const std::size_t comma = text.find(',');
    if (text.substr(0, comma) != wanted || comma == std::string_view::npos) continue;
    const std::string_view rest = text.substr(comma + 1);
    const std::string_view answer = rest.substr(0, rest.find(','));
    if (!answer.empty()) return platform::DecodeCp932(answer);
  }
  return {};
}

bool AnswerHistory::Append(std::string_view callsign, std::string_view suffix) {
  const bool needsLineEnd = EndsWithoutLineEnd(path_);
  platform::TextFileWriter writer;
  bool ok = writer.Open(path_, platform::TextFileWriter::Mode::kAppend);
  if (ok) {
    if (needsLineEnd) writer.WriteBytes("\r\n");
    std::string line;
    line.reserve(callsign.size() + 1 + suffix.size());
    line.append(callsign).append(",").append(suffix);
    writer.WriteLine(line);
    ok = writer.Close();
  }
  if (!ok) ui_.ShowMessage("ファイルに書き込めません\n" + path_.string());
  return ok;
}

}  // namespace sfxtal::import
