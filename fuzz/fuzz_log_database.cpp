// The log database reader: any bytes as Tevrak.TDB, opened, every record it holds read and its
// frequency classified. Every decoded text is UTF-8 and the band is that of the decoded frequency.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "logdb/log_database.h"

using namespace sfxtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = fuzz::ScratchFolder() / "Tevrak.TDB";
  fuzz::WriteFile(path, fuzz::Bytes(data, size));
  fuzz::QuietUi ui;
  logdb::FrequencyErrors errors;
  logdb::LogDatabase db(ui, errors);
  db.DbPath = path.string();
  if (!db.OpenLogDatabase()) return 0;
  if (db.RecordLength() <= 0) fuzz::Fail("a log with no record length opened");
  for (db.Pointer = 1; db.Pointer <= db.RecordCount(); ++db.Pointer) {
    if (!db.ReadQso()) break;
    const logdb::QsoRecord& qso = db.Qso;
    for (const std::string* text : {&qso.Calls, &qso.Ign, &qso.Callsign, &qso.Date, &qso.Time,
                                    &qso.Qsl3, &qso.Freq, &qso.Mode}) {
      if (!fuzz::IsUtf8(*text)) fuzz::Fail("a decoded field is not UTF-8");
    }
    if (qso.Callsign != qso.Calls + qso.Ign) fuzz::Fail("Callsign is not Calls followed by Ign");
    if (db.Band() != logdb::ClassifyBand(qso.Freq)) fuzz::Fail("the band is not Freq's");
  }
  db.CloseLogDatabase();
  return 0;
}
