#include "results/results_window_size.h"

#include <gtest/gtest.h>

namespace sfxtal::results {
namespace {

TEST(ResultsWindowSize, OuterWidthSnapsBackTo6030AndNarrowerStays) {
  EXPECT_EQ(CappedOuterWidth(6031), 6030);
  EXPECT_EQ(CappedOuterWidth(9000), 6030);
  EXPECT_EQ(CappedOuterWidth(6030), 6030);
  EXPECT_EQ(CappedOuterWidth(2000), 2000);
}

TEST(ResultsWindowSize, GridIs705LessThanTheWindowFrom1500Up) {
  EXPECT_EQ(GridHeight(1500), 795);
  EXPECT_EQ(GridHeight(1499), 1935);
  EXPECT_EQ(GridHeight(1499.9), 1935);
  EXPECT_EQ(GridHeight(0), 1935);
  // The window at its usual size: client 2850 high in its frame gives the grid its usual 2535.
  EXPECT_EQ(GridHeight(kResultsClientHeight + kResultsFrameHeight), 2535);
  EXPECT_EQ(kResultsClientWidth + kResultsFrameWidth, kResultsMaxOuterWidth);
}

}  // namespace
}  // namespace sfxtal::results
