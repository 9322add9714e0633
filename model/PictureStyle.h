#pragma once
// How the picture draws its lines and labels: a setting of the program for projectors and
// paper, not of the project. The default is the plain picture.

#include <cstdint>

inline constexpr int32_t kMinLineWidth = 1; // px
inline constexpr int32_t kMaxLineWidth = 4;
inline constexpr int32_t kMinLabelSize = 6; // pt
inline constexpr int32_t kMaxLabelSize = 24;

struct TPictureStyle {
  int32_t LineWidth = 1;              // px of the field lines and the axes
  int32_t LabelSize = 8;              // pt of the axis labels
  uint32_t FieldLineColor = 0xC0C0C0; // $00BBGGRR
  bool FitPage = false;               // a print as large as the page, else at true scale
  friend bool operator==(const TPictureStyle &, const TPictureStyle &) = default;
};

// Thick dark lines and large labels, which a projector does not wash out.
inline constexpr TPictureStyle kProjectorStyle{3, 12, 0x404040, false};
