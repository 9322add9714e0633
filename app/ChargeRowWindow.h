#pragma once
// "Einfügen > Ladungsreihe": the ends of a segment (typed in metres, or dragged on the drawing
// surface), the number of charges and the charge of each or of all together. "Einfügen"
// hands the row on; whoever listens adds it to the document as one step.

#include "model/ChargeRow.h"

#include <QDialog>

class QComboBox;
class QEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

class TChargeRowWindow : public QDialog {
  Q_OBJECT

public:
  explicit TChargeRowWindow(QWidget *parent = nullptr);

  // The ends (m) in the fields, as a drag on the drawing surface sets them.
  void ShowSegment(const TWorldPoint &from, const TWorldPoint &to);
  // The row the fields describe for the scene. Throws EConvertError for a field that is not a
  // number, and an error for an end the view could not hold or charges whose forces would
  // overflow.
  TChargeRow ReadRow(const TScene &scene) const;

  QLineEdit *Edit_FromX = nullptr; // m
  QLineEdit *Edit_FromY = nullptr;
  QLineEdit *Edit_ToX = nullptr;
  QLineEdit *Edit_ToY = nullptr;
  QPushButton *Button_Drag = nullptr;
  QSpinBox *SpinEdit_Count = nullptr;
  QRadioButton *Radio_Each = nullptr;
  QRadioButton *Radio_Total = nullptr;
  QLineEdit *Edit_Charge = nullptr;
  QComboBox *ComboBox_Unit = nullptr;
  QPushButton *Button_Insert = nullptr;
  QPushButton *Button_Close = nullptr;

signals:
  // The user asks to drag the segment on the drawing surface.
  void DragRequested();
  // "Einfügen": the row is to be read (ReadRow) and added.
  void InsertRequested();

protected:
  void changeEvent(QEvent *event) override;

private:
  void RetranslateUi();

  QLabel *fromLabel_ = nullptr;
  QLabel *toLabel_ = nullptr;
  QLabel *countLabel_ = nullptr;
};
