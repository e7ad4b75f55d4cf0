#include "ui/instance_lock.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace sfxtal::ui {
namespace {

using test_support::TempFolder;

TEST(InstanceLock, ASecondStartInTheSameFolderFindsTheFirstRunning) {
  TempFolder folder;
  TempFolder other;
  auto first = TakeInstanceLock(folder.Path());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(TakeInstanceLock(folder.Path()), nullptr);
  // Another program folder is another program.
  EXPECT_NE(TakeInstanceLock(other.Path()), nullptr);
  first.reset();
  EXPECT_NE(TakeInstanceLock(folder.Path()), nullptr);
}

}  // namespace
}  // namespace sfxtal::ui
