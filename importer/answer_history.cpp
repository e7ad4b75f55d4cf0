#include "importer/answer_history.h"

#include "importer/import_texts.h"
#include "platform/field_text.h"
#include "platform/file_exists.h"
#include "platform/path_text.h"
#include "platform/program_texts.h"
#include "platform/read_only_file.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace sfxtal::importer {
namespace {

// True when the file has bytes and its last one does not end a line: a hand-edited history whose
// last line has no CR LF would otherwise have the next answer glued onto it.
bool EndsWithoutLineEnd(const std::filesystem::path& path) {
  platform::ReadOnlyFile file;
  if (!file.Open(path)) return false;
  const std::int64_t size = file.Size();
  char last;
  return size > 0 && file.ReadAt(size - 1, &last, 1) == 1 && last != '\n' && last != '\r';
}

// The longest history line looked at: far beyond any line the program appends (a callsign of the
// log's CALLS and IGN, a comma, a suffix). The rest of a longer line is read past, not held.
constexpr std::size_t kLongestLine = 64 * 1024;

// A callsign as its history field: a line break or a comma from the log would split the line, and
// the answer could then be taken for another callsign's. The lookup applies the same stand-ins,
// so the callsign still finds its own answer.
std::string CallsignField(std::string_view callsign) {
  std::string field(callsign);
  for (char& c : field) {
    if (c == '\r' || c == '\n' || c == ',') c = platform::kBreakStandIn;
  }
  return field;
}

}  // namespace

AnswerHistory::AnswerHistory(const std::filesystem::path& programFolder,
                             platform::UserInterface& ui)
    : path_(programFolder / platform::PathFromUtf8(importer::kHistoryFileName)), ui_(ui) {}

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
  // Compared as the file's bytes, which are the log's: a callsign with odd log bytes, or with
  // bytes that have a twin in CP932, matches the very line its answer was appended as. A comma is
  // never part of a two-byte character.
  const std::string wanted = CallsignField(callsign);
  std::string line;
  while (reader.ReadLineBytes(line, kLongestLine)) {
    platform::FieldSplitter fields(line, platform::FieldSyntax::kPlain);
    std::string_view callsignField;
    std::string_view answer;
    if (!fields.Next(callsignField) || callsignField != wanted || !fields.Next(answer)) continue;
    // An answer that runs into the cut is not known whole: no answer.
    if (!fields.MoreOnLine() && reader.LineCut()) continue;
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
    std::string line = CallsignField(callsign);
    line += ',';
    platform::AppendCp932(line, suffix);
    line += "\r\n";
    writer.WriteBytes(line);
    ok = writer.Close();
  }
  if (!ok) ui_.ShowMessage(platform::WithPath(platform::kCannotWriteMessage, path_));
  return ok;
}

}  // namespace sfxtal::importer
