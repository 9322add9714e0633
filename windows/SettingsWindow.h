#pragma once
// The settings window: the charge list, whose item index is the program's one charge
// selection, above the pages "Ladung", "Daten" and "Anzeige". A tool window that stays on
// top and cannot be closed while the program runs.

#include "windows/ChargeComboBox.h"
#include "windows/ChargeTab.h"
#include "windows/DataTab.h"
#include "windows/ViewTab.h"

#include <QWidget>

class QTabWidget;
class TPointCharge;

inline const QString kInvalidInputTitle = QStringLiteral("Ungültige oder unvollständige Angaben");

class TForm2 : public QWidget {
  Q_OBJECT

public:
  TForm2();

  TChargeComboBox *ComboBox_Charges = nullptr;
  QTabWidget *PageControl = nullptr;
  TChargeTab *TabSheet_Charge = nullptr;
  TDataTab *TabSheet_Data = nullptr;
  TViewTab *TabSheet_View = nullptr;

  // The charge at the list's item index, null for none.
  TPointCharge *SelectedCharge() const;

  // Refreshes the pages from the selection; recomposes the main window's frame unless a
  // charge is being dragged (the drag shows its own frames).
  void ComboBox_ChargesClick();
  // Refills the page that is showing, when it shows document values.
  void PageControlChange();
  // The data page from the selected charge.
  void FillDataList();
  void Button_ApplyClick();
  void Button_CenterClick();
  void Button_DeleteClick();
  // Checks the view page's entries, then stores them; a new zoom rescales the charges about
  // the origin. Throws before anything is stored when an entry is not acceptable.
  void Button_ApplyViewClick();

protected:
  void closeEvent(QCloseEvent *event) override;
};
