#pragma once
// The "Teilchen" page of the settings window: a list of the document's particles and the
// selected one's kind, mass, charge, start position and start velocity, with the buttons to
// apply and delete. It talks to the document itself: each apply or delete is one step.

#include "model/Particle.h"

#include <QString>
#include <QWidget>

class QComboBox;
class QEvent;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class TDocument;

// The kind's name as the lists and menus show it ("Elektron", ..., "Freies Teilchen").
QString ParticleKindName(TParticleKind kind);

class TParticleTab : public QWidget {
  Q_OBJECT

public:
  explicit TParticleTab(TDocument &document, QWidget *parent = nullptr);

  QComboBox *ComboBox_Particles = nullptr;
  QComboBox *ComboBox_Kind = nullptr;
  QLineEdit *Edit_Mass = nullptr;   // kg
  QLineEdit *Edit_Charge = nullptr; // in the unit chosen below
  QComboBox *ComboBox_Unit = nullptr;
  QLineEdit *Edit_X = nullptr;  // m
  QLineEdit *Edit_Y = nullptr;  // m
  QLineEdit *Edit_VX = nullptr; // m/s
  QLineEdit *Edit_VY = nullptr; // m/s
  QPushButton *Button_Apply = nullptr;
  QPushButton *Button_Delete = nullptr;

  // The list and the edits from the document's particles and its selected one.
  void ShowParticles();
  // Reads the edits in the order of the page; throws EInvalidInput for the first that is
  // not acceptable: not a number, a mass that is not positive, a speed not below light's.
  TParticle ReadInput() const;
  void Button_ApplyClick();
  void Button_DeleteClick();

protected:
  void changeEvent(QEvent *event) override;
  // Enter applies what the page shows, as its apply button does.
  void keyPressEvent(QKeyEvent *event) override;

private:
  void RetranslateUi();
  void ShowParticle(const TParticle *particle);
  // A kind chosen in the list: its mass and charge in the edits.
  void FillPreset(int kind);

  TDocument &document_;
  QLabel *kindLabel_ = nullptr;
  QLabel *massLabel_ = nullptr;
  QLabel *chargeLabel_ = nullptr;
  QLabel *positionLabel_ = nullptr;
  QLabel *velocityLabel_ = nullptr;
};
