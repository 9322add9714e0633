#pragma once
// The settings window: the charge list, which shows and sets the document's selection,
// above the pages "Ladung", "Daten", "Anzeige" and "Teilchen". A tool window that cannot be
// closed while the program runs.

#include "windows/ChargeComboBox.h"
#include "windows/ChargeTab.h"
#include "windows/DataTab.h"
#include "windows/ParticleTab.h"
#include "windows/ViewTab.h"

#include "base/Geometry.h"

#include <QWidget>

#include <functional>
#include <utility>

class QTabWidget;
class TDocument;
class TPointCharge;

class TForm2 : public QWidget {
  Q_OBJECT

public:
  explicit TForm2(TDocument &document);

  TChargeComboBox *ComboBox_Charges = nullptr;
  QTabWidget *PageControl = nullptr;
  TChargeTab *TabSheet_Charge = nullptr;
  TDataTab *TabSheet_Data = nullptr;
  TViewTab *TabSheet_View = nullptr;
  TParticleTab *TabSheet_Particle = nullptr;

  // The document's selected charge, null for none.
  const TPointCharge *SelectedCharge() const;

  // Makes the list's item index the document's selection.
  void ComboBox_ChargesClick();
  // The list and the pages from the document's selection.
  void ShowSelection();
  // One list entry per charge, after charges were created, deleted or loaded.
  void ShowEntries();
  // The state of a new or loaded project: the charge page in front.
  void Reset();
  // The particle page in front (a particle was clicked).
  void ShowParticlePage();
  // From now on the window may be closed: the program is ending.
  void AllowClose() { closeAllowed_ = true; }
  // Refills the page that is showing, when it shows document values.
  void PageControlChange();
  // Where the size (px) of the surface that shows the document comes from: the data page
  // lists the zero-field points on it. Without one it lists none.
  void SetSurfaceSource(std::function<TSize()> source) { surfaceSource_ = std::move(source); }
  // The data page from the selected charge.
  void FillDataList();
  void Button_ApplyClick();
  void Button_CenterClick();
  void Button_DeleteClick();
  // Checks the view page's entries, then stores them; a new zoom rescales the charges about
  // the origin. Throws before anything is stored when an entry is not acceptable.
  void Button_ApplyViewClick();

signals:
  // "Zentrieren" with a charge selected: the view that shows it centres it.
  void CenterClicked();

protected:
  void changeEvent(QEvent *event) override;
  void closeEvent(QCloseEvent *event) override;

private:
  // Title, tab names and tooltips in the language in force; the pages do their own.
  void RetranslateUi();
  // A charge changed by somebody else: its entry and, when selected, the pages follow.
  void OnChargeChanged(int index);
  // The data page's rows of zero-field points from the document.
  void ShowZeroPoints();

  TDocument &document_;
  std::function<TSize()> surfaceSource_;
  bool applying_ = false; // the charge page's own apply keeps what the user typed
  bool closeAllowed_ = false;
};
