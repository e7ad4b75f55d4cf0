#include "logdb/band.h"

#include <gtest/gtest.h>

namespace sfxtal::logdb {
namespace {

TEST(ClassifyBand, FrequencyTextsAndTheirBands) {
  struct Case {
    const char* freq;
    const char* band;
  };
  const Case cases[] = {
      {"1.825", "1.9"},
      {"3.525", "3.5"},
      {"7.05", "7"},
      {"70.2", "7"},
      {"10.12", "10"},
      {"14.2", "14"},
      {"144.1", "144"},
      {"145.0", "144"},
      {"146.0", "14"},
      {"24", "24"},
      {"24.9", "24"},
      {"2400.1", "2400"},
      {"2424", "2400"},
      {"28.5", "28"},
      {"29.6", "28"},
      {"50.1", "50"},
      {"52", "50"},
      {"5760.1", "5600"},
      {"433.0", "430"},
      {"1296", "1200"},
      {"10368", "10000"},
      {"10368.0", "10000"},
      {"24048.1", "24000"},
      {"47088.0", "47000"},
      {"14025", "14"},  // five characters, but not a five-digit band: the list decides
      {"3525", ""},
      {"5.3", ""},
      {"0.475", ""},
      {"", ""},
      // Around the edges of the patterns.
      {"7", "7"},
      {"1", ""},
      {"1.", "1.9"},
      {"5", ""},
      {"2", ""},
      {"24x", ""},
      {"12345.6", "1200"},  // a dot at the sixth place, but "12" is no five-digit band
      {"47088.0.1", "47000"},
      {"470.88", ""},
      {"10.1234", "10"},
      {" 7.0", ""},
      // The log's bytes, each one character: "ｱ" (B1) is one, a two-byte character two.
      {"10\xB1"
       "45",
       "10000"},
      {"10\x82\x4F"
       "4",
       "10000"},
      {"24\xB1", ""},
      {"5\xB1", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyBand(c.freq), c.band) << "freq \"" << c.freq << "\"";
  }
}

}  // namespace
}  // namespace sfxtal::logdb
