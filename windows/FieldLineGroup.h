#pragma once
// The group "Feldlinien" of the view tab: lines in proportion to charge (and how many the
// largest charge gets), arrows on the lines, lines traced to a set accuracy and the points
// where the field vanishes. Every change takes effect at once, like the switches of the
// "Extras" menu.

#include "model/FieldLineOptions.h"

#include <QGroupBox>

class QCheckBox;
class QEvent;
class QLabel;
class QPushButton;
class QSpinBox;

class TFieldLineGroup : public QGroupBox {
  Q_OBJECT

public:
  explicit TFieldLineGroup(QWidget *parent = nullptr);

  // Every control from the options; emits nothing.
  void ShowOptions(const TFieldLineOptions &options);
  // The options the controls show.
  TFieldLineOptions ReadOptions() const;

  QCheckBox *CheckBox_Proportional = nullptr;
  QSpinBox *SpinEdit_Lines = nullptr; // lines of the largest charge
  QCheckBox *CheckBox_Arrows = nullptr;
  QCheckBox *CheckBox_Accurate = nullptr;
  QCheckBox *CheckBox_ZeroPoints = nullptr;
  QPushButton *Button_Back = nullptr; // back to the view settings the group stands in for

signals:
  // The user changed a control.
  void OptionsEdited();

protected:
  void changeEvent(QEvent *event) override;

private:
  // Every text of the group in the language in force.
  void RetranslateUi();

  QLabel *linesLabel_ = nullptr;
  bool showing_ = false;
};
