#include "app/window_places.h"

#include <gtest/gtest.h>

namespace sfxtal::app {
namespace {

TEST(WindowPlaces, DefaultEdgeCentresTheWindowInSinglePrecision) {
  EXPECT_EQ(CentredEdge(11520, 3240), 4140.0f);
  EXPECT_EQ(CentredEdge(16200, 6031), 5084.5f);
  // A window larger than the screen sits above or left of it, as the centring says.
  EXPECT_EQ(CentredEdge(3000, 3240), -120.0f);
  EXPECT_EQ(CentredEdge(1.0 / 3, 0), static_cast<float>(1.0 / 6));
}

}  // namespace
}  // namespace sfxtal::app
