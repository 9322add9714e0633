#pragma once
// The picture style kept between starts of the program, in its settings.

#include "model/PictureStyle.h"

class QSettings;

// The style kept by KeepPictureStyle; the default for what is missing or out of range.
TPictureStyle StoredPictureStyle(const QSettings &settings);
void KeepPictureStyle(QSettings &settings, const TPictureStyle &style);
