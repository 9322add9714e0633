#pragma once
// States of a traced line saved every few steps and looked up at every step, so that a line
// running round a cycle is found within a few steps of its first full round, whatever the
// period (up to the states the table holds), not only at the next power of two.
//
// A step is a function of the state (the exact point and whether the line is still the
// literal algorithm's) alone, so a state that comes again repeats every step between, and
// every segment drawn from then on has been drawn already.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

class TRecentStates {
public:
  // Forgets every state (cheap: a line of its own needs it only once it runs long).
  void Clear() {
    for (Slot &slot : slots_)
      slot.Xd = std::numeric_limits<double>::quiet_NaN(); // equal to no point
  }
  // True when the state was saved and not yet overwritten by another. (xd, yd): (x, y)
  // rounded to doubles.
  bool Seen(long double x, long double y, double xd, double yd, bool literal) const {
    const Slot &slot = slots_[Index(x, y, xd, yd)];
    return slot.Xd == xd && slot.X == x && slot.Y == y && slot.Literal == literal;
  }
  void Save(long double x, long double y, double xd, double yd, bool literal) {
    slots_[Index(x, y, xd, yd)] = {x, y, xd, literal};
  }

private:
  struct Slot {
    long double X = 0, Y = 0;
    double Xd = std::numeric_limits<double>::quiet_NaN();
    bool Literal = false;
  };
  static constexpr int kIndexBits = 9;

  // From the extended bits too: a line that steps to and fro between two points of the
  // same doubles drifts in the last bits, and all its states would share one slot.
  static size_t Index(long double x, long double y, double xd, double yd) {
    const auto bits = [](double v) { return std::bit_cast<uint64_t>(v); };
    const uint64_t mixed =
        (bits(xd) ^ std::rotl(bits(yd), 17) ^ std::rotl(bits(static_cast<double>(x - xd)), 31) ^
         std::rotl(bits(static_cast<double>(y - yd)), 47)) *
        0x9E3779B97F4A7C15ULL;
    return static_cast<size_t>(mixed >> (64 - kIndexBits));
  }

  std::array<Slot, size_t{1} << kIndexBits> slots_{};
};
