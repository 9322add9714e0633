#include "windows/ViewTab.h"

#include "base/Errors.h"
#include "model/Document.h"
#include "model/NumberText.h"
#include "model/ViewLimits.h"
#include "model/Zoom.h"
#include "widgets/EnterKey.h"
#include "widgets/PellColorComboBox.h"
#include "windows/FieldLineGroup.h"
#include "windows/PotentialGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QVBoxLayout>

TViewTab::TViewTab(QWidget *parent) : QWidget(parent) {
  Edit_ArrowLength = new QLineEdit(this);
  PellColorComboBox_Arrow = new TPellColorComboBox(this);
  ComboBox_Zoom = new QComboBox(this);
  ComboBox_Zoom->setEditable(true);
  // Suggestions only: whatever is typed is read on apply, never added to the list.
  ComboBox_Zoom->setInsertPolicy(QComboBox::NoInsert);
  for (const int percent : kZoomStepPercents)
    ComboBox_Zoom->addItem(QString::number(percent));
  TrackBar_Precision = new QSlider(Qt::Horizontal, this);
  TrackBar_Precision->setRange(kMinStepLength, kMaxStepLength);
  TrackBar_Precision->setTickInterval(2);
  TrackBar_Precision->setTickPosition(QSlider::TicksBelow);
  TrackBar_Precision->setPageStep(2);
  CheckBox_ShowFieldLineAtCursor = new QCheckBox(this);
  Button_ApplyView = new QPushButton(this);
  arrowLengthLabel_ = new QLabel(this);
  arrowColorLabel_ = new QLabel(this);
  zoomLabel_ = new QLabel(this);
  precisionLabel_ = new QLabel(this);
  highLabel_ = new QLabel(this);
  lowLabel_ = new QLabel(this);

  // Two pages in the tab's room, so that the settings window keeps its size: the view
  // settings, and the equipotential group behind a button.
  auto *pages = new QStackedLayout(this);
  pages->setContentsMargins(0, 0, 0, 0);
  auto *settings = new QWidget(this);
  auto *grid = new QGridLayout(settings);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setVerticalSpacing(3);
  grid->addWidget(arrowLengthLabel_, 0, 0);
  grid->addWidget(Edit_ArrowLength, 0, 1);
  // Units read the same in every language.
  grid->addWidget(new QLabel(QStringLiteral("N/m"), this), 0, 2);
  grid->addWidget(arrowColorLabel_, 1, 0);
  grid->addWidget(PellColorComboBox_Arrow, 1, 1, 1, 2);
  grid->addWidget(zoomLabel_, 2, 0);
  grid->addWidget(ComboBox_Zoom, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("%"), this), 2, 2);
  grid->addWidget(precisionLabel_, 3, 0);
  grid->addWidget(TrackBar_Precision, 3, 1, 1, 2);
  // A small step is a precise line: "hoch" stands at the left end.
  auto *ends = new QHBoxLayout;
  ends->addWidget(highLabel_);
  ends->addStretch(1);
  ends->addWidget(lowLabel_);
  grid->addLayout(ends, 4, 1, 1, 2);
  grid->addWidget(CheckBox_ShowFieldLineAtCursor, 5, 0, 1, 3);
  Button_Potential = new QPushButton(this);
  Button_FieldLines = new QPushButton(this);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button_Potential);
  buttons->addWidget(Button_FieldLines);
  buttons->addStretch(1);
  buttons->addWidget(Button_ApplyView);
  grid->addLayout(buttons, 6, 0, 1, 3);
  grid->setRowStretch(7, 1);

  auto *potential = new QWidget(this);
  auto *column = new QVBoxLayout(potential);
  column->setContentsMargins(2, 6, 2, 6); // the group's own frame keeps it off the edge
  Group_Potential = new TPotentialGroup(potential);
  column->addWidget(Group_Potential);
  column->addStretch(1);
  auto *fieldLines = new QWidget(this);
  auto *fieldLineColumn = new QVBoxLayout(fieldLines);
  fieldLineColumn->setContentsMargins(2, 6, 2, 6);
  Group_FieldLines = new TFieldLineGroup(fieldLines);
  fieldLineColumn->addWidget(Group_FieldLines);
  fieldLineColumn->addStretch(1);
  pages->addWidget(settings);
  pages->addWidget(potential);
  pages->addWidget(fieldLines);
  // Tab walks the rows from top to bottom and the button row from left to right.
  setTabOrder(CheckBox_ShowFieldLineAtCursor, Button_Potential);
  setTabOrder(Button_Potential, Button_FieldLines);
  setTabOrder(Button_FieldLines, Button_ApplyView);
  connect(Button_Potential, &QPushButton::clicked, this, [pages] { pages->setCurrentIndex(1); });
  connect(Group_Potential->Button_Back, &QPushButton::clicked, this,
          [pages] { pages->setCurrentIndex(0); });
  connect(Button_FieldLines, &QPushButton::clicked, this, [pages] { pages->setCurrentIndex(2); });
  connect(Group_FieldLines->Button_Back, &QPushButton::clicked, this,
          [pages] { pages->setCurrentIndex(0); });
  RetranslateUi();
}

void TViewTab::RetranslateUi() {
  arrowLengthLabel_->setText(tr("Pfeillänge:"));
  arrowColorLabel_->setText(tr("Pfeilfarbe:"));
  zoomLabel_->setText(tr("Zoom:"));
  precisionLabel_->setText(tr("Präzision:"));
  highLabel_->setText(tr("hoch"));
  lowLabel_->setText(tr("niedrig"));
  CheckBox_ShowFieldLineAtCursor->setText(tr("&Feldlinie an aktueller Cursorposition zeigen"));
  Button_ApplyView->setText(tr("Übe&rnehmen"));
  Button_Potential->setText(tr("Ä&quipotentiallinien …"));
  Button_FieldLines->setText(tr("Feldl&inien …"));

  Edit_ArrowLength->setToolTip(
      tr("Pfeillänge: die Kraft in Newton, für die ein Meter Kraftpfeil steht"));
  PellColorComboBox_Arrow->setToolTip(tr("Farbe der Kraftpfeile"));
  ComboBox_Zoom->setToolTip(tr("Zoom in Prozent; wählen oder eintippen"));
  TrackBar_Precision->setToolTip(
      tr("Präzision der Feldlinien: links feine Schritte (genau), rechts grobe (schnell)"));
  CheckBox_ShowFieldLineAtCursor->setToolTip(
      tr("Zeigt die Feldlinie durch den Mauszeiger auf der Zeichenfläche"));
  Button_ApplyView->setToolTip(tr("Die Werte dieser Seite übernehmen"));
  Button_Potential->setToolTip(tr("Einstellungen für Äquipotentiallinien und Potenzialfarben"));
  Button_FieldLines->setToolTip(
      tr("Feldlinien nach Ladungsmenge, Pfeile, genaue Feldlinien und feldfreie Punkte"));
}

void TViewTab::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QWidget::changeEvent(event);
}

void TViewTab::ShowInitialView(const TScene &scene) {
  Edit_ArrowLength->setText(FormatShortest(scene.ArrowScale));
  PellColorComboBox_Arrow->SetColor(scene.ArrowColor);
}

void TViewTab::ShowView(const TScene &scene) {
  Edit_ArrowLength->setText(FormatScientific(scene.ArrowScale));
  PellColorComboBox_Arrow->SetColor(scene.ArrowColor);
  ShowZoom(scene);
  TrackBar_Precision->setValue(static_cast<int>(scene.StepLength));
  CheckBox_ShowFieldLineAtCursor->setChecked(scene.ShowCursorLine);
  Group_Potential->ShowOptions(scene.Potential);
  Group_FieldLines->ShowOptions(scene.FieldLines);
}

void TViewTab::ShowZoom(const TScene &scene) {
  zoomShown_ = FormatShortest(scene.ZoomFactor() * 100);
  ComboBox_Zoom->setEditText(zoomShown_);
}

void TViewTab::FollowZoom(const TScene &scene) {
  // Before the tab was first shown, ShowView will fill it.
  if (!zoomShown_.isEmpty() && FormatShortest(scene.ZoomFactor() * 100) != zoomShown_)
    ShowZoom(scene);
}

TViewInput TViewTab::ReadInput(const TScene &scene) const {
  TViewInput input;
  input.ArrowScale = StrToNumber(Edit_ArrowLength->text());
  if (!(input.ArrowScale > 0))
    throw EKraftbildError(tr("Die Pfeillänge muss positiv sein."));
  input.Zoom = StrToNumber(ComboBox_Zoom->currentText()) / 100;
  if (!(input.Zoom > 0))
    throw EKraftbildError(tr("Die Zoomstufe muss positiv sein."));
  if (!ZoomFits(scene, input.Zoom))
    throw EKraftbildError(input.Zoom < 1 ? tr("Die Zoomstufe ist zu klein.")
                                         : tr("Die Zoomstufe ist zu groß."));
  // Newtons become pixels of arrow by PixelsPerMetre / ArrowScale, which must stay finite.
  if (!ArrowScaleUsable(input.ArrowScale, PixelsPerMetreAt(scene, input.Zoom)))
    throw EKraftbildError(tr("Die Pfeillänge ist zu klein."));
  input.ArrowColor = PellColorComboBox_Arrow->Color();
  input.StepLength = static_cast<uint32_t>(TrackBar_Precision->value());
  input.ShowCursorLine = CheckBox_ShowFieldLineAtCursor->isChecked();
  return input;
}

void TViewTab::keyPressEvent(QKeyEvent *event) {
  if (!PressOnEnter(event, this, Button_ApplyView))
    QWidget::keyPressEvent(event);
}
