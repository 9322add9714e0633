#include "windows/ParticleTab.h"

#include "base/Errors.h"
#include "model/Document.h"
#include "model/NumberText.h"
#include "model/PointCharge.h"
#include "widgets/EnterKey.h"
#include "widgets/ErrorGuard.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <iterator>

namespace {

constexpr const char *kKindNames[kParticleKindCount] = {
    QT_TRANSLATE_NOOP("TParticleTab", "Elektron"), QT_TRANSLATE_NOOP("TParticleTab", "Proton"),
    QT_TRANSLATE_NOOP("TParticleTab", "Alphateilchen"),
    QT_TRANSLATE_NOOP("TParticleTab", "Freies Teilchen")};

// The charge tab's unit names, so that both pages read the same.
constexpr const char *kUnitNames[] = {QT_TRANSLATE_NOOP("TChargeTab", "1 Elementarladung"),
                                      QT_TRANSLATE_NOOP("TChargeTab", "1 Coulomb")};

constexpr long double kSpeedOfLight = 299792458.0L; // m/s

// The motion is Newton's: a speed at or beyond light's would make its energies meaningless.
bool SpeedAllowed(long double vx, long double vy) { return std::hypot(vx, vy) < kSpeedOfLight; }

} // namespace

QString ParticleKindName(TParticleKind kind) {
  return QCoreApplication::translate("TParticleTab", kKindNames[static_cast<int>(kind)]);
}

TParticleTab::TParticleTab(TDocument &document, QWidget *parent)
    : QWidget(parent), document_(document) {
  ComboBox_Particles = new QComboBox(this);
  ComboBox_Kind = new QComboBox(this);
  for (int i = 0; i < kParticleKindCount; ++i)
    ComboBox_Kind->addItem(QString());
  Edit_Mass = new QLineEdit(this);
  Edit_Charge = new QLineEdit(this);
  ComboBox_Unit = new QComboBox(this);
  for (int i = 0; i < static_cast<int>(std::size(kUnitNames)); ++i)
    ComboBox_Unit->addItem(QString());
  Edit_X = new QLineEdit(this);
  Edit_Y = new QLineEdit(this);
  Edit_VX = new QLineEdit(this);
  Edit_VY = new QLineEdit(this);
  Button_Apply = new QPushButton(this);
  Button_Delete = new QPushButton(this);
  kindLabel_ = new QLabel(this);
  massLabel_ = new QLabel(this);
  chargeLabel_ = new QLabel(this);
  positionLabel_ = new QLabel(this);
  velocityLabel_ = new QLabel(this);

  auto *grid = new QGridLayout(this);
  grid->setContentsMargins(6, 6, 6, 6);
  // Seven rows in no more height than the charge page needs: the window keeps its size.
  grid->setVerticalSpacing(2);
  grid->addWidget(ComboBox_Particles, 0, 0, 1, 4);
  grid->addWidget(kindLabel_, 1, 0);
  grid->addWidget(ComboBox_Kind, 1, 1, 1, 2);
  grid->addWidget(massLabel_, 2, 0);
  grid->addWidget(Edit_Mass, 2, 1, 1, 2);
  // Units read the same in every language.
  grid->addWidget(new QLabel(QStringLiteral("kg"), this), 2, 3);
  grid->addWidget(chargeLabel_, 3, 0);
  grid->addWidget(Edit_Charge, 3, 1);
  grid->addWidget(ComboBox_Unit, 3, 2, 1, 2);
  grid->addWidget(positionLabel_, 4, 0);
  grid->addWidget(Edit_X, 4, 1);
  grid->addWidget(Edit_Y, 4, 2);
  grid->addWidget(new QLabel(QStringLiteral("m"), this), 4, 3);
  grid->addWidget(velocityLabel_, 5, 0);
  grid->addWidget(Edit_VX, 5, 1);
  grid->addWidget(Edit_VY, 5, 2);
  grid->addWidget(new QLabel(QStringLiteral("m/s"), this), 5, 3);
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Button_Apply);
  buttons->addWidget(Button_Delete);
  grid->addLayout(buttons, 6, 0, 1, 4);
  grid->setRowStretch(7, 1);

  ConnectGuarded(ComboBox_Particles, &QComboBox::activated, this,
                 [this](int index) { document_.SelectParticle(index); });
  ConnectGuarded(ComboBox_Kind, &QComboBox::activated, this,
                 [this](int kind) { FillPreset(kind); });
  ConnectGuarded(Button_Apply, &QPushButton::clicked, this, [this] { Button_ApplyClick(); });
  ConnectGuarded(Button_Delete, &QPushButton::clicked, this, [this] { Button_DeleteClick(); });
  ConnectGuarded(&document_, &TDocument::ParticlesChanged, this, [this] { ShowParticles(); });
  ConnectGuarded(&document_, &TDocument::ParticleSelectionChanged, this,
                 [this] { ShowParticles(); });
  ConnectGuarded(&document_, &TDocument::Replaced, this, [this] { ShowParticles(); });
  ConnectGuarded(&document_, &TDocument::Restored, this, [this] { ShowParticles(); });

  RetranslateUi();
  ShowParticles();
}

void TParticleTab::RetranslateUi() {
  for (int i = 0; i < kParticleKindCount; ++i)
    ComboBox_Kind->setItemText(i, ParticleKindName(static_cast<TParticleKind>(i)));
  for (int i = 0; i < static_cast<int>(std::size(kUnitNames)); ++i)
    ComboBox_Unit->setItemText(i, QCoreApplication::translate("TChargeTab", kUnitNames[i]));
  kindLabel_->setText(tr("Art:"));
  massLabel_->setText(tr("Masse:"));
  chargeLabel_->setText(tr("Ladung:"));
  positionLabel_->setText(tr("Ort:"));
  velocityLabel_->setText(tr("Geschw.:"));
  Button_Apply->setText(tr("Überne&hmen"));
  Button_Delete->setText(tr("Lö&schen"));

  ComboBox_Particles->setToolTip(tr("Alle Teilchen; das gewählte zeigt diese Seite"));
  ComboBox_Kind->setToolTip(tr("Die Art des Teilchens setzt Masse und Ladung"));
  Edit_Mass->setToolTip(tr("Masse des Teilchens in Kilogramm, größer als null"));
  Edit_Charge->setToolTip(tr("Ladung als Vielfaches der Einheit; negativ für eine negative "
                             "Ladung"));
  ComboBox_Unit->setToolTip(tr("Einheit der Ladung: Elementarladungen oder Coulomb"));
  Edit_X->setToolTip(tr("x-Koordinate des Starts in Metern"));
  Edit_Y->setToolTip(tr("y-Koordinate des Starts in Metern"));
  Edit_VX->setToolTip(tr("Startgeschwindigkeit in x-Richtung in Metern pro Sekunde"));
  Edit_VY->setToolTip(tr("Startgeschwindigkeit in y-Richtung in Metern pro Sekunde"));
  Button_Apply->setToolTip(tr("Die Werte dieser Seite für das Teilchen übernehmen"));
  Button_Delete->setToolTip(tr("Das gewählte Teilchen löschen"));
  // The entries carry the kinds' names.
  ShowParticles();
}

void TParticleTab::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QWidget::changeEvent(event);
}

void TParticleTab::ShowParticles() {
  const TScene &scene = document_.Scene();
  const int count = static_cast<int>(scene.Particles.size());
  while (ComboBox_Particles->count() > count)
    ComboBox_Particles->removeItem(ComboBox_Particles->count() - 1);
  for (int i = 0; i < count; ++i) {
    const QString text = QStringLiteral("%1: %2").arg(i + 1).arg(
        ParticleKindName(scene.Particles[static_cast<size_t>(i)].Kind));
    if (i < ComboBox_Particles->count())
      ComboBox_Particles->setItemText(i, text);
    else
      ComboBox_Particles->addItem(text);
  }
  ComboBox_Particles->setCurrentIndex(scene.SelectedParticle);
  ShowParticle(scene.Particle(scene.SelectedParticle));
}

void TParticleTab::ShowParticle(const TParticle *particle) {
  Button_Apply->setEnabled(particle != nullptr);
  Button_Delete->setEnabled(particle != nullptr);
  ComboBox_Kind->setEnabled(particle != nullptr);
  ComboBox_Unit->setEnabled(particle != nullptr);
  QLineEdit *const edits[] = {Edit_Mass, Edit_Charge, Edit_X, Edit_Y, Edit_VX, Edit_VY};
  for (QLineEdit *edit : edits)
    edit->setEnabled(particle != nullptr);
  if (particle == nullptr) {
    for (QLineEdit *edit : edits)
      edit->clear();
    ComboBox_Kind->setCurrentIndex(-1);
    ComboBox_Unit->setCurrentIndex(-1);
    return;
  }
  ComboBox_Kind->setCurrentIndex(static_cast<int>(particle->Kind));
  Edit_Mass->setText(FormatShortest(particle->Mass));
  Edit_Charge->setText(FormatShortest(particle->Charge / UnitFactorOf(particle->ChargeUnit)));
  ComboBox_Unit->setCurrentIndex(
      particle->ChargeUnit < ComboBox_Unit->count() ? particle->ChargeUnit : -1);
  Edit_X->setText(FormatShortest(particle->X));
  Edit_Y->setText(FormatShortest(particle->Y));
  Edit_VX->setText(FormatShortest(particle->VX));
  Edit_VY->setText(FormatShortest(particle->VY));
}

void TParticleTab::FillPreset(int kind) {
  if (kind < 0 || kind >= kParticleKindCount)
    return;
  const TParticle preset = ParticlePreset(static_cast<TParticleKind>(kind));
  Edit_Mass->setText(FormatShortest(preset.Mass));
  Edit_Charge->setText(FormatShortest(preset.Charge / UnitFactorOf(ComboBox_Unit->currentIndex())));
}

TParticle TParticleTab::ReadInput() const {
  const TParticle *selected = document_.Scene().Particle(document_.Scene().SelectedParticle);
  TParticle particle = selected != nullptr ? *selected : TParticle{};
  const auto mass = ParseNumber(Edit_Mass->text());
  if (!mass || !(*mass > 0))
    throw EInvalidInput(tr("Ungültige Masse"));
  const auto charge = ParseNumber(Edit_Charge->text());
  if (!charge)
    throw EInvalidInput(tr("Ungültige Ladungsangabe"));
  const auto x = ParseNumber(Edit_X->text());
  if (!x)
    throw EInvalidInput(tr("Ungültige x-Koordinate"));
  const auto y = ParseNumber(Edit_Y->text());
  if (!y)
    throw EInvalidInput(tr("Ungültige y-Koordinate"));
  const auto vx = ParseNumber(Edit_VX->text());
  const auto vy = ParseNumber(Edit_VY->text());
  if (!vx || !vy || !SpeedAllowed(*vx, *vy))
    throw EInvalidInput(tr("Ungültige Geschwindigkeit"));
  if (ComboBox_Kind->currentIndex() >= 0)
    particle.Kind = static_cast<TParticleKind>(ComboBox_Kind->currentIndex());
  // A unit the list does not know stays the particle's, as the charge tab keeps it.
  if (ComboBox_Unit->currentIndex() >= 0)
    particle.ChargeUnit = static_cast<uint8_t>(ComboBox_Unit->currentIndex());
  particle.Mass = *mass;
  particle.Charge = *charge * UnitFactorOf(particle.ChargeUnit);
  particle.X = *x;
  particle.Y = *y;
  particle.VX = *vx;
  particle.VY = *vy;
  return particle;
}

void TParticleTab::Button_ApplyClick() {
  const int index = document_.Scene().SelectedParticle;
  if (document_.Scene().Particle(index) == nullptr)
    return;
  document_.ReplaceParticle(index, ReadInput());
}

void TParticleTab::Button_DeleteClick() {
  const int index = document_.Scene().SelectedParticle;
  if (document_.Scene().Particle(index) != nullptr)
    document_.DeleteParticle(index);
}

void TParticleTab::keyPressEvent(QKeyEvent *event) {
  if (!PressOnEnter(event, this, Button_Apply))
    QWidget::keyPressEvent(event);
}
