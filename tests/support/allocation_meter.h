#pragma once

#include <cstddef>

namespace sfxtal::test_support {

/// The most heap memory the program held at any one time since the meter was made, beyond what
/// it held then. A test binary that uses it counts every allocation through operator new.
class AllocationMeter {
 public:
  AllocationMeter();
  std::size_t PeakBytes() const;

 private:
  std::size_t start_;
};

}  // namespace sfxtal::test_support
