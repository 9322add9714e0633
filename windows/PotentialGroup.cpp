#include "windows/PotentialGroup.h"

#include "base/Errors.h"
#include "model/NumberText.h"
#include "widgets/EnterKey.h"
#include "widgets/PellColorComboBox.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>
#include <iterator>

TPotentialGroup::TPotentialGroup(QWidget *parent) : QGroupBox(parent) {
  CheckBox_Lines = new QCheckBox(this);
  Radio_Automatic = new QRadioButton(this);
  Radio_Fixed = new QRadioButton(this);
  Edit_Spacing = new QLineEdit(this);
  CheckBox_TestChargeLine = new QCheckBox(this);
  PellColorComboBox_Lines = new TPellColorComboBox(this);
  CheckBox_Map = new QCheckBox(this);
  lineColorLabel_ = new QLabel(this);

  auto *grid = new QGridLayout(this);
  Button_Back = new QPushButton(this);

  // Tight rows: in the view tab's place the group must be no taller than the charge tab.
  grid->setContentsMargins(6, 2, 6, 2);
  grid->setVerticalSpacing(1);
  auto *top = new QHBoxLayout;
  top->addWidget(CheckBox_Lines);
  top->addStretch(1);
  top->addWidget(Button_Back);
  grid->addLayout(top, 0, 0, 1, 3);
  grid->addWidget(Radio_Automatic, 1, 0, 1, 3);
  grid->addWidget(Radio_Fixed, 2, 0);
  grid->addWidget(Edit_Spacing, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("V"), this), 2, 2); // a unit in every language
  grid->addWidget(lineColorLabel_, 3, 0);
  grid->addWidget(PellColorComboBox_Lines, 3, 1, 1, 2);
  grid->addWidget(CheckBox_TestChargeLine, 4, 0, 1, 3);
  grid->addWidget(CheckBox_Map, 5, 0, 1, 3);

  // Tab walks the rows as they stand: the top row's button before the spacing rows.
  QWidget *const order[] = {CheckBox_Lines,
                            Button_Back,
                            Radio_Automatic,
                            Radio_Fixed,
                            Edit_Spacing,
                            PellColorComboBox_Lines,
                            CheckBox_TestChargeLine,
                            CheckBox_Map};
  for (size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);

  const auto edited = [this] {
    if (!showing_)
      emit OptionsEdited();
  };
  connect(CheckBox_Lines, &QCheckBox::toggled, this, edited);
  connect(Radio_Fixed, &QRadioButton::toggled, this, edited);
  connect(Edit_Spacing, &QLineEdit::editingFinished, this, edited);
  connect(CheckBox_TestChargeLine, &QCheckBox::toggled, this, edited);
  connect(PellColorComboBox_Lines, &TPellColorComboBox::OnColorChange, this, edited);
  connect(CheckBox_Map, &QCheckBox::toggled, this, edited);
  ShowOptions({});
  RetranslateUi();
}

void TPotentialGroup::RetranslateUi() {
  setTitle(tr("Äquipotentiallinien"));
  CheckBox_Lines->setText(tr("Äquipotentiallinien zei&gen"));
  Radio_Automatic->setText(tr("&Abstand automatisch"));
  Radio_Fixed->setText(tr("Abs&tand:"));
  CheckBox_TestChargeLine->setText(tr("Linie &durch die gewählte Probeladung"));
  CheckBox_Map->setText(tr("Pote&nzialfarben"));
  lineColorLabel_->setText(tr("Linienfarbe:"));
  Button_Back->setText(tr("Zurü&ck"));

  CheckBox_Lines->setToolTip(
      tr("Linien gleichen Potenzials zeigen, je mit ihrem Wert beschriftet, wo Platz ist"));
  Radio_Automatic->setToolTip(tr("Abstand der Linien selbst wählen lassen (Stufen 1, 2, 5)"));
  Radio_Fixed->setToolTip(tr("Die Linien im eingetragenen Abstand zeichnen"));
  Edit_Spacing->setToolTip(tr("Abstand benachbarter Linien in Volt"));
  PellColorComboBox_Lines->setToolTip(tr("Farbe der Äquipotentiallinien"));
  CheckBox_TestChargeLine->setToolTip(
      tr("Zusätzlich die Linie durch die gewählte Probeladung zeigen"));
  CheckBox_Map->setToolTip(tr("Die Fläche nach dem Potenzial färben, mit einer Legende"));
  Button_Back->setToolTip(tr("Zurück zu den übrigen Einstellungen der Anzeige"));
}

void TPotentialGroup::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QGroupBox::changeEvent(event);
}

void TPotentialGroup::ShowOptions(const TPotentialOptions &options) {
  showing_ = true;
  CheckBox_Lines->setChecked(options.Lines);
  (options.FixedSpacing ? Radio_Fixed : Radio_Automatic)->setChecked(true);
  Edit_Spacing->setText(FormatShortest(options.Spacing));
  CheckBox_TestChargeLine->setChecked(options.TestChargeLine);
  PellColorComboBox_Lines->SetColor(options.LineColor);
  CheckBox_Map->setChecked(options.Map);
  showing_ = false;
}

TPotentialOptions TPotentialGroup::ReadOptions(const TPotentialOptions &current) const {
  TPotentialOptions options = current;
  options.Lines = CheckBox_Lines->isChecked();
  options.FixedSpacing = Radio_Fixed->isChecked();
  if (options.FixedSpacing) {
    options.Spacing = StrToNumber(Edit_Spacing->text());
    if (!(options.Spacing > 0) || !std::isfinite(options.Spacing))
      throw EKraftbildError(tr("Der Abstand der Äquipotentiallinien muss positiv sein."));
  }
  options.TestChargeLine = CheckBox_TestChargeLine->isChecked();
  options.LineColor = PellColorComboBox_Lines->Color();
  options.Map = CheckBox_Map->isChecked();
  return options;
}

void TPotentialGroup::keyPressEvent(QKeyEvent *event) {
  if (!PressOnEnter(event, this, nullptr))
    QGroupBox::keyPressEvent(event);
}
