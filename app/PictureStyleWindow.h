#pragma once
// "Ansicht > Darstellung": the width of the field lines and axes, the size of the axis
// labels and the colour of the field lines, with a preset for projectors, and whether a
// print fills the page. A setting of the
// program, not of the project: every change takes effect at once and is kept for the next
// start by whoever listens to StyleChanged.

#include "model/PictureStyle.h"

#include <QDialog>

class QCheckBox;
class QEvent;
class QLabel;
class QPushButton;
class QSpinBox;
class TPellColorComboBox;

class TPictureStyleWindow : public QDialog {
  Q_OBJECT

public:
  explicit TPictureStyleWindow(QWidget *parent = nullptr);

  // Every control from the style; emits nothing.
  void ShowStyle(const TPictureStyle &style);
  // The style the controls show.
  TPictureStyle Style() const;

  QSpinBox *SpinEdit_LineWidth = nullptr; // px
  QSpinBox *SpinEdit_LabelSize = nullptr; // pt
  TPellColorComboBox *PellColorComboBox_FieldLines = nullptr;
  QCheckBox *CheckBox_FitPage = nullptr;
  QPushButton *Button_Projector = nullptr;
  QPushButton *Button_Standard = nullptr;
  QPushButton *Button_Close = nullptr;

signals:
  void StyleChanged(const TPictureStyle &style);

protected:
  void changeEvent(QEvent *event) override;

private:
  void RetranslateUi();
  void ShowAndTell(const TPictureStyle &style);

  QLabel *lineWidthLabel_ = nullptr;
  QLabel *labelSizeLabel_ = nullptr;
  QLabel *colorLabel_ = nullptr;
  bool showing_ = false;
};
