#include "widgets/ClampSpinBox.h"

#include <algorithm>

QValidator::State TClampSpinBox::validate(QString &input, int &pos) const {
  const QValidator::State state = QSpinBox::validate(input, pos);
  if (state != QValidator::Invalid)
    return state;
  // Digits only (no sign, prefix or suffix here): a number out of range is clamped.
  bool isNumber = false;
  const qlonglong typed = input.trimmed().toLongLong(&isNumber);
  const bool digitsOnly =
      std::all_of(input.cbegin(), input.cend(), [](QChar c) { return c.isDigit() || c.isSpace(); });
  if (!digitsOnly || input.trimmed().isEmpty())
    return state;
  const qlonglong clamped =
      isNumber ? std::clamp<qlonglong>(typed, minimum(), maximum()) : maximum();
  input = locale().toString(static_cast<int>(clamped));
  pos = static_cast<int>(input.size());
  return QValidator::Acceptable;
}

void TClampSpinBox::fixup(QString &input) const {
  if (input.trimmed().isEmpty())
    input = locale().toString(minimum());
  else
    QSpinBox::fixup(input);
}
