// The log database reader: any bytes as Tevrak.TDB, opened, every record it holds read and its
// frequency classified. Every field reads as UTF-8 for the operator, and the band is the
// frequency's.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "logdb/band.h"
#include "logdb/log_database.h"
#include "platform/path_text.h"

using namespace sfxtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = fuzz::ScratchFolder() / "Tevrak.TDB";
  fuzz::WriteFile(path, fuzz::Bytes(data, size));
  fuzz::QuietUi ui;
  logdb::FrequencyErrors errors;
  logdb::LogDatabase db(ui, errors);
  if (!db.OpenLogDatabase(platform::Utf8FromPath(path))) return 0;
  if (db.RecordLength() <= 0) fuzz::Fail("a log with no record length opened");
  logdb::CurrentQso current;
  for (current.Pointer = 1; current.Pointer <= db.RecordCount(); ++current.Pointer) {
    if (!db.ReadQso(current)) break;
    const logdb::QsoRecord& qso = current.Qso;
    for (const std::string_view* text : {&qso.Calls, &qso.Ign, &qso.Callsign, &qso.Date, &qso.Time,
                                         &qso.Qsl3, &qso.Freq, &qso.Mode}) {
      if (!fuzz::IsUtf8(db.TextOf(*text))) fuzz::Fail("a field does not read as UTF-8");
    }
    if (qso.Callsign != std::string(qso.Calls) + std::string(qso.Ign))
      fuzz::Fail("Callsign is not Calls followed by Ign");
    if (qso.Band != logdb::ClassifyBand(qso.Freq)) fuzz::Fail("the band is not Freq's");
  }
  db.CloseLogDatabase();
  return 0;
}
