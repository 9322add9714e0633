#pragma once
// An integer spin box for typed counts: a number beyond the range becomes the nearest bound
// as it is typed (999 gives the maximum, rather than the keystroke being dropped), and an
// emptied field means the minimum once editing ends.

#include <QSpinBox>

class TClampSpinBox : public QSpinBox {
  Q_OBJECT

public:
  using QSpinBox::QSpinBox;

protected:
  QValidator::State validate(QString &input, int &pos) const override;
  void fixup(QString &input) const override;
};
