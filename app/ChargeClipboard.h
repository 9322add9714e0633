#pragma once
// The clipboard as the main window uses it for charges: our own format with a readable text
// beside it. The system's one by default; tests put one of their own in.

#include <QByteArray>
#include <QString>

#include <memory>

class TChargeClipboard {
public:
  virtual ~TChargeClipboard() = default;
  // Replaces what the clipboard holds with the charges' bytes (model/ChargeTransfer.h) and
  // their text.
  virtual void Put(const QByteArray &charges, const QString &text) = 0;
  // The charges' bytes on the clipboard; empty when it holds none of our format.
  virtual QByteArray Charges() const = 0;
};

// The system clipboard, shared with every other program.
std::unique_ptr<TChargeClipboard> SystemChargeClipboard();
