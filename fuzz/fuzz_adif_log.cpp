// The ADIF reader: any bytes as an ADIF file, opened and every record it delivers read in order,
// then one record again from the start. Every field reads as UTF-8 for the operator, the places
// rise, the band is the frequency's, and no record is counted twice as left out.
#include <cstdint>

#include "fuzz/fuzz_support.h"
#include "logdb/adif_log.h"
#include "logdb/band.h"
#include "platform/path_text.h"

using namespace sfxtal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto path = fuzz::ScratchFolder() / "log.adi";
  fuzz::WriteFile(path, fuzz::Bytes(data, size));
  fuzz::QuietUi ui;
  logdb::FrequencyErrors errors;
  logdb::AdifLog log(ui, errors);
  if (!log.OpenLogDatabase(platform::Utf8FromPath(path))) return 0;
  logdb::CurrentQso current;
  std::int32_t last = 0;
  for (current.Pointer = 1; log.ReadQso(current); ++current.Pointer) {
    const logdb::QsoRecord& qso = current.Qso;
    if (current.Pointer <= last) fuzz::Fail("a record's place did not rise");
    last = current.Pointer;
    for (const std::string_view* text :
         {&qso.Calls, &qso.Date, &qso.Time, &qso.Qsl3, &qso.Freq, &qso.Mode}) {
      if (!fuzz::IsUtf8(log.TextOf(*text))) fuzz::Fail("a field does not read as UTF-8");
    }
    if (qso.Callsign != qso.Calls || !qso.Ign.empty()) fuzz::Fail("Callsign is not CALL");
    if (qso.Calls.empty() || qso.Date.size() != 10) fuzz::Fail("a QSO without CALL or date");
    if (qso.Band != logdb::ClassifyBand(qso.Freq)) fuzz::Fail("the band is not Freq's");
  }
  const std::int32_t leftOut = log.LeftOut().Total();
  current.Pointer = 1;
  log.ReadQso(current);
  if (log.LeftOut().Total() != leftOut) fuzz::Fail("a record was counted twice as left out");
  log.CloseLogDatabase();
  return 0;
}
