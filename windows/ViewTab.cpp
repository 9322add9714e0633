#include "windows/ViewTab.h"

#include "base/Errors.h"
#include "model/Document.h"
#include "model/NumberText.h"
#include "model/ViewLimits.h"
#include "model/Zoom.h"
#include "widgets/EnterKey.h"
#include "widgets/PellColorComboBox.h"
#include "windows/PotentialGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {

QLabel *Label(const QString &text, QWidget *parent) { return new QLabel(text, parent); }

} // namespace

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
  CheckBox_ShowFieldLineAtCursor =
      new QCheckBox(QStringLiteral("&Feldlinie an aktueller Cursorposition zeigen"), this);
  Button_ApplyView = new QPushButton(QStringLiteral("Übe&rnehmen"), this);
  Edit_ArrowLength->setToolTip(
      QStringLiteral("Pfeillänge: die Kraft in Newton, für die ein Meter Kraftpfeil steht"));
  PellColorComboBox_Arrow->setToolTip(QStringLiteral("Farbe der Kraftpfeile"));
  ComboBox_Zoom->setToolTip(QStringLiteral("Zoom in Prozent; wählen oder eintippen"));
  TrackBar_Precision->setToolTip(QStringLiteral(
      "Präzision der Feldlinien: links feine Schritte (genau), rechts grobe (schnell)"));
  CheckBox_ShowFieldLineAtCursor->setToolTip(
      QStringLiteral("Zeigt die Feldlinie durch den Mauszeiger auf der Zeichenfläche"));
  Button_ApplyView->setToolTip(QStringLiteral("Die Werte dieser Seite übernehmen"));

  // Two pages in the tab's room, so that the settings window keeps its size: the view
  // settings, and the equipotential group behind a button.
  auto *pages = new QStackedLayout(this);
  pages->setContentsMargins(0, 0, 0, 0);
  auto *settings = new QWidget(this);
  auto *grid = new QGridLayout(settings);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setVerticalSpacing(3);
  grid->addWidget(Label(QStringLiteral("Pfeillänge:"), this), 0, 0);
  grid->addWidget(Edit_ArrowLength, 0, 1);
  grid->addWidget(Label(QStringLiteral("N/m"), this), 0, 2);
  grid->addWidget(Label(QStringLiteral("Pfeilfarbe:"), this), 1, 0);
  grid->addWidget(PellColorComboBox_Arrow, 1, 1, 1, 2);
  grid->addWidget(Label(QStringLiteral("Zoom:"), this), 2, 0);
  grid->addWidget(ComboBox_Zoom, 2, 1);
  grid->addWidget(Label(QStringLiteral("%"), this), 2, 2);
  grid->addWidget(Label(QStringLiteral("Präzision:"), this), 3, 0);
  grid->addWidget(TrackBar_Precision, 3, 1, 1, 2);
  // A small step is a precise line: "hoch" stands at the left end.
  auto *ends = new QHBoxLayout;
  ends->addWidget(Label(QStringLiteral("hoch"), this));
  ends->addStretch(1);
  ends->addWidget(Label(QStringLiteral("niedrig"), this));
  grid->addLayout(ends, 4, 1, 1, 2);
  grid->addWidget(CheckBox_ShowFieldLineAtCursor, 5, 0, 1, 3);
  Button_Potential = new QPushButton(QStringLiteral("Ä&quipotentiallinien …"), this);
  Button_Potential->setToolTip(
      QStringLiteral("Einstellungen für Äquipotentiallinien und Potenzialfarben"));
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button_Potential);
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
  pages->addWidget(settings);
  pages->addWidget(potential);
  // Tab walks the rows from top to bottom and the button row from left to right.
  setTabOrder(CheckBox_ShowFieldLineAtCursor, Button_Potential);
  setTabOrder(Button_Potential, Button_ApplyView);
  connect(Button_Potential, &QPushButton::clicked, this, [pages] { pages->setCurrentIndex(1); });
  connect(Group_Potential->Button_Back, &QPushButton::clicked, this,
          [pages] { pages->setCurrentIndex(0); });
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
    throw EKraftbildError(QStringLiteral("Die Pfeillänge muss positiv sein."));
  input.Zoom = StrToNumber(ComboBox_Zoom->currentText()) / 100;
  if (!(input.Zoom > 0))
    throw EKraftbildError(QStringLiteral("Die Zoomstufe muss positiv sein."));
  if (!ZoomFits(scene, input.Zoom))
    throw EKraftbildError(input.Zoom < 1 ? QStringLiteral("Die Zoomstufe ist zu klein.")
                                         : QStringLiteral("Die Zoomstufe ist zu groß."));
  // Newtons become pixels of arrow by PixelsPerMetre / ArrowScale, which must stay finite.
  if (!ArrowScaleUsable(input.ArrowScale, PixelsPerMetreAt(scene, input.Zoom)))
    throw EKraftbildError(QStringLiteral("Die Pfeillänge ist zu klein."));
  input.ArrowColor = PellColorComboBox_Arrow->Color();
  input.StepLength = static_cast<uint32_t>(TrackBar_Precision->value());
  input.ShowCursorLine = CheckBox_ShowFieldLineAtCursor->isChecked();
  return input;
}

void TViewTab::keyPressEvent(QKeyEvent *event) {
  if (!PressOnEnter(event, this, Button_ApplyView))
    QWidget::keyPressEvent(event);
}
