#pragma once
// A clipboard of the test's own: what the program put there last, for the test to read or
// replace (another program's copy, damaged bytes).

#include "app/ChargeClipboard.h"

class FakeClipboard : public TChargeClipboard {
public:
  void Put(const QByteArray &charges, const QString &text) override {
    Bytes = charges;
    Text = text;
  }
  QByteArray Charges() const override { return Bytes; }

  QByteArray Bytes;
  QString Text;
};
