#pragma once
// A document in memory with its background bitmap, German number texts and a fixed step
// cap instead of the tracer's clock, for tests of the background picture.

#include "DocumentFixture.h"
#include "model/Background.h"

#include <QLocale>

class BackgroundFixture : public DocumentTest {
protected:
  void SetUp() override {
    DocumentTest::SetUp();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Background = std::make_unique<TBitmap>(surfaceSize.Width, surfaceSize.Height);
    SetTraceStepCap(3000);
  }
  void TearDown() override {
    SetTraceStepCap(0);
    Background.reset();
    QLocale::setDefault(QLocale::c());
    DocumentTest::TearDown();
  }
};
