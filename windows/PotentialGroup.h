#pragma once
// The group "Äquipotentiallinien" of the view tab: lines on or off, automatic or fixed
// spacing, the line through the selected test charge, the line colour and the potential
// map. Every change the user makes takes effect at once, like the switches of the "Extras"
// menu.

#include "model/PotentialOptions.h"

#include <QGroupBox>

class QCheckBox;
class QEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TPellColorComboBox;

class TPotentialGroup : public QGroupBox {
  Q_OBJECT

public:
  explicit TPotentialGroup(QWidget *parent = nullptr);

  // Every control from the options; emits nothing.
  void ShowOptions(const TPotentialOptions &options);
  // The options the controls show, on top of current (which keeps the levels). Throws
  // EConvertError for a spacing that is not a number and an error for one that is not
  // positive.
  TPotentialOptions ReadOptions(const TPotentialOptions &current) const;

  QCheckBox *CheckBox_Lines = nullptr;
  QRadioButton *Radio_Automatic = nullptr;
  QRadioButton *Radio_Fixed = nullptr;
  QLineEdit *Edit_Spacing = nullptr; // V
  QCheckBox *CheckBox_TestChargeLine = nullptr;
  TPellColorComboBox *PellColorComboBox_Lines = nullptr;
  QCheckBox *CheckBox_Map = nullptr;
  QPushButton *Button_Back = nullptr; // back to the view settings the group stands in for

signals:
  // The user changed a control.
  void OptionsEdited();

protected:
  void changeEvent(QEvent *event) override;
  // Enter stays here: the spacing it finishes applies at once, not the view settings.
  void keyPressEvent(QKeyEvent *event) override;

private:
  // Every text of the group in the language in force.
  void RetranslateUi();

  QLabel *lineColorLabel_ = nullptr;
  bool showing_ = false;
};
