// Writes the seed corpus of every fuzz target under the folder given, from the program's own
// writers: generated sample logs and odd logs, the import's work file, the tally's results file,
// the settings store's INI file, appended history lines and CP932 texts.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "app/settings_store.h"
#include "fuzz/fuzz_support.h"
#include "importer/answer_history.h"
#include "importer/import_run.h"
#include "logdb/log_database.h"
#include "logwriter/adif_writer.h"
#include "logwriter/log_database_writer.h"
#include "logwriter/sample_log.h"
#include "standin/tally.h"

using namespace sfxtal;
namespace fs = std::filesystem;

namespace {

// Seeds stay small, so the fuzzer's inputs stay short and many.
constexpr std::size_t kLargestSeed = 4096;

void Put(const fs::path& folder, const std::string& name, std::string bytes) {
  fs::create_directories(folder);
  if (bytes.size() > kLargestSeed) bytes.resize(kLargestSeed);
  fuzz::WriteFile(folder / sfxtal::platform::PathFromUtf8(name), bytes);
}

logwriter::LogRecord Qso(const char* calls, const char* ign, const char* freq, char qsl3) {
  logwriter::LogRecord record;
  record.calls = calls;
  record.ign = ign;
  record.SetDate(2010, 3, 21);
  record.hour = 9;
  record.minute = 5 | 0x80;
  record.qsl = std::string("  ") + qsl3;
  record.freq = freq;
  record.mode = "CW";
  return record;
}

// ADIF files as the program's writer makes them, and with the odd forms other programs write.
std::vector<std::string> AdifLogs(const fs::path& scratch) {
  std::vector<std::string> logs;
  for (std::uint32_t count : {1u, 5u}) {
    const fs::path path = scratch / "sample.adi";
    logwriter::WriteSampleLog(path, count, count * 3);
    logs.push_back(fuzz::ReadFile(path));
  }
  logs.push_back(
      "<call:6:s>QQ1ABC<Qso_Date:8:d>19980321<TIME_ON:6>123456<FREQ:6>14.025<qsl_rcvd:1>v<eor>\n"
      "<CALL:3>\x83\x41"
      "B<QSO_DATE:7>1998032<EOR><NOTES:2147483648>x");
  return logs;
}

std::vector<std::string> Logs(const fs::path& scratch) {
  std::vector<std::string> logs;
  for (std::uint32_t count : {1u, 3u, 12u}) {
    const fs::path path = scratch / "sample.tdb";
    logwriter::WriteSampleLog(path, count, count * 7);
    logs.push_back(fuzz::ReadFile(path));
  }
  // Records with the bytes that broke work-file lines, and odd layouts.
  const std::vector<logwriter::LogRecord> odd = {
      Qso("QQ1ABC", "", "7.05", ' '),
      Qso("QQ1\rABC", "\n", "14.2", 'J'),
      Qso("QQ1\"A,B\"", "", "3525", '"'),
      Qso("QQ1ABC", "/QQ2XYZ", "144.1", 'X'),
      Qso("\xb1\x83\xfa[", "\x80\xff", "\xb1", '\xa2'),
  };
  logs.push_back(logwriter::LogDatabaseBytes(odd));
  logwriter::LogLayout layout;
  layout.recordCount = 9;  // more than the file holds
  logs.push_back(logwriter::LogDatabaseBytes(odd, layout));
  layout = {};
  layout.fields.push_back({"EXTRA", 4});
  logs.push_back(logwriter::LogDatabaseBytes(odd, layout));
  layout = {};
  layout.recordLength = 7;  // records overlap
  logs.push_back(logwriter::LogDatabaseBytes(odd, layout));
  std::string cut = logwriter::LogDatabaseBytes(odd);
  cut.resize(cut.size() - 20);  // the last record cut short
  logs.push_back(cut);
  return logs;
}

// The work file an import of the log writes.
std::string WorkFileOf(const fs::path& folder, const std::string& log) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  fuzz::WriteFile(folder / "Tevrak.TDB", log);
  fuzz::QuietUi ui;
  logdb::FrequencyErrors errors;
  logdb::LogDatabase database(ui, errors);
  importer::ImportRun run(folder, ui, database, nullptr, nullptr);
  importer::ImportRequest request;
  request.Path = (folder / "Tevrak.TDB").string();
  request.DateBoxes = {"0", "0", "0", "9999", "99", "99"};
  run.Command2_Click(request);
  return fuzz::ReadFile(run.WorkFilePath());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds OUT\n");
    return 2;
  }
  const fs::path out = argv[1];
  const fs::path scratch = fuzz::ScratchFolder();

  const std::vector<std::string> logs = Logs(scratch);
  std::vector<std::string> works;
  for (std::size_t i = 0; i < logs.size(); ++i) {
    const std::string name = "log" + std::to_string(i);
    Put(out / "fuzz_log_database", name, logs[i]);
    Put(out / "fuzz_import_run", name, logs[i]);
    works.push_back(WorkFileOf(scratch / "import", logs[i]));
  }
  const std::vector<std::string> adifLogs = AdifLogs(scratch);
  for (std::size_t i = 0; i < adifLogs.size(); ++i) {
    Put(out / "fuzz_adif_log", "adif" + std::to_string(i), adifLogs[i]);
  }
  works.push_back(
      "\"QQ1ABC\",\"ABC\",\"2010/03/21\",\"\x96\xa2\"\r\n QQ1A , A ,x, J\r\n\"Q\"\",\"B\"");
  for (std::size_t i = 0; i < works.size(); ++i) {
    Put(out / "fuzz_tally", "work" + std::to_string(i), works[i]);
  }

  standin::Tally tally;
  for (const std::string& work : works) {
    std::size_t pos = 0;
    while (pos < work.size()) {
      std::size_t end = work.find("\r\n", pos);
      if (end == std::string::npos) end = work.size();
      standin::AddWorkLine(tally, std::string_view(work).substr(pos, end - pos));
      pos = end + 2;
    }
  }
  const std::string results = standin::ResultsFileBytes(tally);
  Put(out / "fuzz_results_file", "tally_head", results);
  Put(out / "fuzz_results_file", "odd",
      "A,1,2,3,B\r\n\r\n   \r\n1,2,3\nC,x,y,\x96\xa2\rD,,,\r\n\"open,quote\r\n\"ab\"cd,e,");

  // History files as the program appends them, after the input's callsign and suffix bytes.
  {
    fuzz::QuietUi ui;
    importer::AnswerHistory history(scratch, ui);
    fs::remove(history.Path());
    history.Append("QQ1ABC/QQ2XYZ", "ABC");
    history.Append("QQ1\xb1/QQ2XYZ", "XYZ");
    const std::string file = fuzz::ReadFile(history.Path());
    Put(out / "fuzz_answer_history", "appended", std::string("\x0cQQ1ABC/QQ2XYZA") + file);
    Put(out / "fuzz_answer_history", "no_end",
        std::string("\x05QQ1A/BCDE") + "QQ1A/B,\r\n\r\nX,Y,Z");
  }

  {
    const app::SettingsStore store(scratch);
    std::error_code ignored;
    fs::remove(store.SettingsPath(), ignored);
    store.WriteSetting("Form1Top", " 2340");
    store.WriteSetting("Tevrak", "/home/qq1abc/ログ/Tevrak.TDB ");
    store.WriteSetting("諦め", "未J");
    const std::string ini = fuzz::ReadFile(store.SettingsPath());
    Put(out / "fuzz_ini_file", "settings", std::string("\x06SFXTAL\x06Tevrak\x03new") + ini);
    Put(out / "fuzz_ini_file", "windows",
        std::string("\x05Other\x04KEY2\x02 1") +
            "; c\r\n[Other]\r\nA=1\r\n\r\n[sfxtal]\r\n  form1top = 2340 "
            "\r\nK='q'\r\nk=2\n[Last]\rx=1");
  }

  const char* texts[] = {
      "\x96\xa2",                          // 未
      "C:\\\x97\x9a\x97\xf0.txt",          // 履歴.txt
      "\xc3\xde\xb0\xc0",                  // half-width katakana
      "\x83\xfa\x5b",                      // a pair that does not decode, then "["
      "\x87\x90\xfa\x5b\xed\x40\x81\xe6",  // one character in three spellings, and a twin
      "\x80\xa0\xfd\xfe\xff\x81",
  };
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    Put(out / "fuzz_text_codec", "text" + std::to_string(i), texts[i]);
  }
  return 0;
}
