#include "results/totals.h"

#include <gtest/gtest.h>

namespace sfxtal::results {
namespace {

TEST(Totals, CaptionAppends) {
  const struct {
    std::int16_t count;
    const char* countText;
    const char* percentText;
  } cases[] = {
      {0, "   / 18,278", "   0.00 %"},
      {1, "  1 / 18,278", "   0.01 %"},
      {999, "  999 / 18,278", "   5.47 %"},
      {1000, "  1,000 / 18,278", "   5.47 %"},
      {1234, "  1,234 / 18,278", "   6.75 %"},
      // 13.705005... and 36.294999...: the digit after the second decimal decides.
      {2505, "  2,505 / 18,278", "   13.71 %"},
      {6634, "  6,634 / 18,278", "   36.29 %"},
      {9139, "  9,139 / 18,278", "   50.00 %"},
      {18277, "  18,277 / 18,278", "   99.99 %"},
      {18278, "  18,278 / 18,278", "   100.00 %"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ConfirmedCountAppend(c.count), c.countText) << c.count;
    EXPECT_EQ(ConfirmedPercentAppend(c.count), c.percentText) << c.count;
  }
}

TEST(Totals, EachReadAppendsBehindTheCaptionItHas) {
  const std::string first = CaptionWithTotals(kResultsCaption, 1234);
  EXPECT_EQ(first, "交信実績  1,234 / 18,278   6.75 %");
  EXPECT_EQ(CaptionWithTotals(first, 0), "交信実績  1,234 / 18,278   6.75 %   / 18,278   0.00 %");
}

}  // namespace
}  // namespace sfxtal::results
