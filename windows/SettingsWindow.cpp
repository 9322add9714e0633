#include "windows/SettingsWindow.h"

#include "windows/FieldLineGroup.h"
#include "windows/PotentialGroup.h"

#include "model/Document.h"
#include "model/NumberText.h"
#include "model/Readouts.h"
#include "widgets/ErrorGuard.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kClientWidth = 249;  // px
constexpr int kClientHeight = 228; // px

// The charge list does not repaint while it grows, on every path out of the scope.
class TSuspendedUpdates {
public:
  explicit TSuspendedUpdates(QWidget *widget) : widget_(widget) {
    widget_->setUpdatesEnabled(false);
  }
  ~TSuspendedUpdates() { widget_->setUpdatesEnabled(true); }
  TSuspendedUpdates(const TSuspendedUpdates &) = delete;
  TSuspendedUpdates &operator=(const TSuspendedUpdates &) = delete;

private:
  QWidget *widget_;
};

} // namespace

TForm2::TForm2(TDocument &document) : document_(document) {
  // The program makes it a tool window of the main window (MakeToolWindow).
  setWindowFlags(Qt::Tool);
  // An 8-point window: the about dialog gives it the message font's face at start-up.
  QFont font = this->font();
  font.setPointSize(8);
  setFont(font);

  ComboBox_Charges = new TChargeComboBox(document_, this);
  PageControl = new QTabWidget(this);
  TabSheet_Charge = new TChargeTab;
  TabSheet_Data = new TDataTab;
  TabSheet_View = new TViewTab;
  PageControl->addTab(TabSheet_Charge, QString());
  PageControl->addTab(TabSheet_Data, QString());
  PageControl->addTab(TabSheet_View, QString());
  TabSheet_Particle = new TParticleTab(document_);
  PageControl->addTab(TabSheet_Particle, QString());
  PageControl->setCurrentIndex(0);

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(ComboBox_Charges);
  layout->addWidget(PageControl, 1);
  resize(kClientWidth, kClientHeight);

  ConnectGuarded(ComboBox_Charges, &QComboBox::activated, this,
                 [this] { ComboBox_ChargesClick(); });
  ConnectGuarded(PageControl, &QTabWidget::currentChanged, this, [this] { PageControlChange(); });
  ConnectGuarded(TabSheet_Charge->Button_Apply, &QPushButton::clicked, this,
                 [this] { Button_ApplyClick(); });
  ConnectGuarded(TabSheet_Charge->Button_Center, &QPushButton::clicked, this,
                 [this] { Button_CenterClick(); });
  ConnectGuarded(TabSheet_Charge->Button_Delete, &QPushButton::clicked, this,
                 [this] { Button_DeleteClick(); });
  ConnectGuarded(TabSheet_View->Button_ApplyView, &QPushButton::clicked, this,
                 [this] { Button_ApplyViewClick(); });

  ConnectGuarded(TabSheet_View->Group_Potential, &TPotentialGroup::OptionsEdited, this, [this] {
    document_.ApplyPotential(
        TabSheet_View->Group_Potential->ReadOptions(document_.Scene().Potential));
  });
  // The "Extras" menu switches the same options.
  ConnectGuarded(TabSheet_View->Group_FieldLines, &TFieldLineGroup::OptionsEdited, this, [this] {
    document_.ApplyFieldLines(TabSheet_View->Group_FieldLines->ReadOptions());
  });
  const auto showPotential = [this] {
    TabSheet_View->Group_Potential->ShowOptions(document_.Scene().Potential);
    TabSheet_View->Group_FieldLines->ShowOptions(document_.Scene().FieldLines);
  };
  ConnectGuarded(&document_, &TDocument::ViewChanged, this, showPotential);
  // A zoom by the wheel or the keys shows in the zoom box.
  ConnectGuarded(&document_, &TDocument::ViewChanged, this,
                 [this] { TabSheet_View->FollowZoom(document_.Scene()); });
  ConnectGuarded(&document_, &TDocument::Replaced, this, showPotential);

  ConnectGuarded(&document_, &TDocument::SelectionChanged, this, [this] { ShowSelection(); });
  ConnectGuarded(&document_, &TDocument::ChargesChanged, this, [this] { ShowEntries(); });
  ConnectGuarded(&document_, &TDocument::Replaced, this, [this] {
    ShowEntries();
    Reset();
  });
  ConnectGuarded(&document_, &TDocument::ChargeChanged, this,
                 [this](int index) { OnChargeChanged(index); });
  ConnectGuarded(&document_, &TDocument::SeveralChargesChanged, this,
                 [this] { OnChargeChanged(document_.SelectedIndex()); });
  ConnectGuarded(&document_, &TDocument::Restored, this, [this] { ShowSelection(); });
  // The zero-field points move with every charge and with the view; the rows above them
  // keep their own times.
  const auto showZeroPoints = [this] {
    if (PageControl->currentIndex() == 1)
      ShowZeroPoints();
  };
  ConnectGuarded(&document_, &TDocument::Edited, this, showZeroPoints);
  ConnectGuarded(&document_, &TDocument::ViewChanged, this, showZeroPoints);

  // FormCreate
  TabSheet_View->ShowInitialView(document_.Scene());
  RetranslateUi();
}

void TForm2::RetranslateUi() {
  setWindowTitle(tr("Einstellungen"));
  PageControl->setTabText(0, tr("Ladung"));
  PageControl->setTabText(1, tr("Daten"));
  PageControl->setTabText(2, tr("Anzeige"));
  PageControl->setTabText(3, tr("Teilchen"));
  ComboBox_Charges->setToolTip(tr("Alle Ladungen; die gewählte zeigen die Seiten darunter"));
  PageControl->setTabToolTip(0, tr("Ort, Wert und Feldlinien der gewählten Ladung"));
  PageControl->setTabToolTip(1, tr("Kraft, Feldstärke und Potenzial an der gewählten Probeladung"));
  PageControl->setTabToolTip(2, tr("Kraftpfeile, Zoom, Präzision und Äquipotentiallinien"));
  PageControl->setTabToolTip(3, tr("Art, Masse, Ladung, Start und Startgeschwindigkeit des "
                                   "gewählten Teilchens"));
}

void TForm2::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange) {
    RetranslateUi();
    // Readouts and numbers are in the new language and number format too.
    Guarded([this] {
      ShowSelection();
      ComboBox_Charges->RepaintEntries();
    });
  }
  QWidget::changeEvent(event);
}

const TPointCharge *TForm2::SelectedCharge() const { return document_.Selected(); }

void TForm2::ComboBox_ChargesClick() { document_.Select(ComboBox_Charges->currentIndex()); }

void TForm2::ShowSelection() {
  if (ComboBox_Charges->currentIndex() != document_.SelectedIndex())
    ComboBox_Charges->setCurrentIndex(document_.SelectedIndex());
  TabSheet_Charge->ShowCharge(document_.Scene(), SelectedCharge());
  PageControlChange();
}

void TForm2::ShowEntries() {
  const int count = document_.Charges().Count();
  if (ComboBox_Charges->count() == count)
    return;
  {
    TSuspendedUpdates suspended(ComboBox_Charges);
    // One step either way: the list's model tells its views once, not per charge.
    ComboBox_Charges->SetEntryCount(count);
    // The list selects its first item by itself; the document says what is selected.
    ComboBox_Charges->setCurrentIndex(document_.SelectedIndex());
  }
  ComboBox_Charges->RepaintEntries();
}

void TForm2::Reset() { PageControl->setCurrentIndex(0); }

void TForm2::ShowParticlePage() {
  PageControl->setCurrentIndex(PageControl->indexOf(TabSheet_Particle));
}

void TForm2::OnChargeChanged(int index) {
  if (!applying_ && index == document_.SelectedIndex()) {
    TabSheet_Charge->ShowCharge(document_.Scene(), SelectedCharge());
    PageControlChange();
  }
  ComboBox_Charges->RepaintEntries();
}

void TForm2::PageControlChange() {
  switch (PageControl->currentIndex()) {
  case 1:
    FillDataList();
    break;
  case 2:
    TabSheet_View->ShowView(document_.Scene());
    break;
  default:
    break;
  }
}

void TForm2::FillDataList() {
  // The apply button is enabled exactly while a charge is selected.
  TabSheet_Data->ShowRows(DataRowsFor(
      document_.Scene(), TabSheet_Charge->Button_Apply->isEnabled() ? SelectedCharge() : nullptr));
  ShowZeroPoints();
}

void TForm2::ShowZeroPoints() {
  TabSheet_Data->ShowZeroPoints(surfaceSource_ ? ZeroPointTexts(document_.Scene(), surfaceSource_())
                                               : QStringList());
}

void TForm2::Button_ApplyClick() {
  if (SelectedCharge() == nullptr)
    return;
  const TChargeInput input = TabSheet_Charge->ReadInput(document_.Scene());
  const QScopedValueRollback<bool> applying(applying_, true);
  // With several selected, the fields changed go to all of them, the others stay each one's.
  if (document_.SelectedIndices().size() > 1) {
    document_.ApplyToSelection(input, TabSheet_Charge->ChangedFields());
    TabSheet_Charge->MarkApplied();
  } else {
    document_.ApplyCharge(document_.SelectedIndex(), input);
  }
}

void TForm2::Button_CenterClick() {
  // Where the middle is, only the view that shows the charges knows.
  if (SelectedCharge() != nullptr)
    emit CenterClicked();
}

void TForm2::Button_DeleteClick() {
  if (SelectedCharge() != nullptr)
    document_.DeleteCharge(document_.SelectedIndex());
}

void TForm2::Button_ApplyViewClick() {
  const TViewInput input = TabSheet_View->ReadInput(document_.Scene());
  document_.ApplyView(input);
  TabSheet_View->Edit_ArrowLength->setText(FormatShortest(document_.Scene().ArrowScale));
}

void TForm2::closeEvent(QCloseEvent *event) {
  if (closeAllowed_)
    event->accept();
  else
    event->ignore();
}
