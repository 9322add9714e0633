#pragma once
// Integer pixel geometry shared by the display layer and its users.

#include <cstdint>

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
  friend bool operator==(const TPoint &, const TPoint &) = default;
};

// A rectangle with exclusive right and bottom edges.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;
  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend bool operator==(const TRect &, const TRect &) = default;
};

// True when the two rectangles share at least one pixel (right and bottom exclusive).
inline bool Overlaps(const TRect &a, const TRect &b) {
  return a.Left < b.Right && a.Right > b.Left && a.Top < b.Bottom && a.Bottom > b.Top;
}

// Largest side (px) of a drawing surface, in the window and in kraftbild-render: an 8K screen
// (7680 by 4320) fits, and a surface of 8192 by 8192 still takes only 256 MB per buffer.
inline constexpr int32_t kMaxSurfaceSide = 8192;

struct TSize {
  int32_t Width = 0;
  int32_t Height = 0;
  friend bool operator==(const TSize &, const TSize &) = default;
};
