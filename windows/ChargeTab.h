#pragma once
// The "Ladung" page of the settings window: the selected charge's position in metres, its
// value in a chosen unit, its number of field lines and its test-charge flag, with the
// buttons to apply, centre and delete. The page shows and reads values; what the buttons
// do to the document is the settings window's business.

#include "model/Document.h"

#include <QString>
#include <QWidget>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

inline constexpr int kMaxFieldLines = 400;

// The edits of the page, read and checked; Unit is the item index of the unit list.
using TChargeInput = TChargeValues;

class TChargeTab : public QWidget {
  Q_OBJECT

public:
  explicit TChargeTab(QWidget *parent = nullptr);

  // Fills the page from the charge and enables the buttons; null empties and disables them.
  void ShowCharge(const TScene &scene, const TPointCharge *charge);
  // Reads the edits in the order x, y, charge; throws EInvalidInput for the first that is not
  // a number, or a position without pixels in the document's view.
  TChargeInput ReadInput(const TScene &scene) const;
  // The fields whose edits no longer show what ShowCharge put there, or what was last applied.
  TChargeFields ChangedFields() const;
  // The edits as they stand were applied: they count as shown.
  void MarkApplied();

  QLineEdit *Edit_X = nullptr;
  QLineEdit *Edit_Y = nullptr;
  QLineEdit *Edit_Charge = nullptr;
  QComboBox *ComboBox_Unit = nullptr;
  QSpinBox *SpinEdit_CountLines = nullptr;
  QCheckBox *CheckBox_TestCharge = nullptr;
  QPushButton *Button_Apply = nullptr;
  QPushButton *Button_Center = nullptr;
  QPushButton *Button_Delete = nullptr;

protected:
  void changeEvent(QEvent *event) override;
  // Enter applies what the page shows, as its apply button does.
  void keyPressEvent(QKeyEvent *event) override;

private:
  // Every text of the page in the language in force.
  void RetranslateUi();
  void ShowNoCharge();

  QLabel *chargeLabel_ = nullptr;
  QLabel *unitLabel_ = nullptr;
  QLabel *countLinesLabel_ = nullptr;
  // What ShowCharge put into the edits, or MarkApplied found there.
  struct TShown {
    QString X, Y, Charge;
    int Unit = -1;
    int FieldLines = 0;
    bool TestCharge = false;
  };
  TShown shown_;
};
