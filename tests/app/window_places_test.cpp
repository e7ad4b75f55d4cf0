#include "app/window_places.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace sfxtal::app {
namespace {

TEST(WindowPlaces, DefaultEdgeCentresTheWindowInSinglePrecision) {
  EXPECT_EQ(CentredEdge(11520, 3240), 4140.0f);
  EXPECT_EQ(CentredEdge(16200, 6031), 5084.5f);
  // A window larger than the screen sits above or left of it, as the centring says.
  EXPECT_EQ(CentredEdge(3000, 3240), -120.0f);
  EXPECT_EQ(CentredEdge(1.0 / 3, 0), static_cast<float>(1.0 / 6));
}

struct OnScreenCase {
  const char* name;
  PlaceTwips stored;
  PlaceTwips expected;
};

class PlaceOnScreenCase : public ::testing::TestWithParam<OnScreenCase> {};

// A 16,200 × 12,150 twip screen and a 6,000 × 3,000 twip window.
TEST_P(PlaceOnScreenCase, BringsBackOnlyAWindowWhollyOffTheScreen) {
  const PlaceTwips place = PlaceOnScreen(GetParam().stored, {16200, 12150}, {6000, 3000});
  EXPECT_EQ(place.Left, GetParam().expected.Left);
  EXPECT_EQ(place.Top, GetParam().expected.Top);
}

INSTANTIATE_TEST_SUITE_P(
    Places, PlaceOnScreenCase,
    ::testing::Values(OnScreenCase{"Minimised", {-480000, -480000}, {0, 0}},
                      OnScreenCase{"OffToTheRight", {20000, 4000}, {10200, 4000}},
                      OnScreenCase{"OffBelow", {100, 50000}, {100, 9150}},
                      OnScreenCase{"JustOffAtTheLeft", {-6000, 100}, {0, 100}},
                      OnScreenCase{"PartlyOffStaysPut", {-5000, -2000}, {-5000, -2000}},
                      OnScreenCase{"OnScreen", {4140, 4575}, {4140, 4575}}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST(WindowPlaces, AStoredPlaceOffTheScreenLoadsOnIt) {
  test_support::TempFolder folder;
  const SettingsStore settings(folder.Path());
  SaveResultsWindowPlace(settings, {-480000, -480000});
  const PlaceTwips loaded = LoadResultsWindowPlace(settings, {16200, 12150}, {6000, 3000});
  EXPECT_EQ(loaded.Left, 0);
  EXPECT_EQ(loaded.Top, 0);
}

}  // namespace
}  // namespace sfxtal::app
