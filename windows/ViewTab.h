#pragma once
// The "Anzeige" page of the settings window: arrow scale and colour, zoom, precision of the
// field lines and the cursor's field line; behind two buttons, in their place, the
// equipotential group and the field-line group. The page shows the view state and reads the
// user's entries; storing them is the settings window's business.

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
class QSlider;
class TPellColorComboBox;
class TPotentialGroup;
class TFieldLineGroup;

inline constexpr int kMinStepLength = 1;  // px, "hoch"
inline constexpr int kMaxStepLength = 21; // px, "niedrig"

// The page's entries, read and checked.
using TViewInput = TViewSettings;

class TViewTab : public QWidget {
  Q_OBJECT

public:
  explicit TViewTab(QWidget *parent = nullptr);

  // Arrow length for editing and the arrow colour, as the window shows them when created.
  void ShowInitialView(const TScene &scene);
  // Every control from the view state: the arrow length in "0.###E+0", the zoom in percent.
  void ShowView(const TScene &scene);
  // The zoom alone, when the view's zoom is no longer the one shown last: a pan leaves a
  // zoom typed and not applied yet as it is, a zoom by the wheel or the keys replaces it.
  void FollowZoom(const TScene &scene);
  // Reads arrow length, then zoom for the document's view; throws EConvertError for a text that is
  // not a number, an error for a value that is not positive, one for a zoom that the view cannot
  // hold (model/ViewLimits.h: charges beyond every finite position, pixels per metre out of range),
  // and one for an arrow length whose arrows would be infinitely long.
  TViewInput ReadInput(const TScene &scene) const;

  QLineEdit *Edit_ArrowLength = nullptr;
  TPellColorComboBox *PellColorComboBox_Arrow = nullptr;
  QComboBox *ComboBox_Zoom = nullptr; // percent
  QSlider *TrackBar_Precision = nullptr;
  QCheckBox *CheckBox_ShowFieldLineAtCursor = nullptr;
  QPushButton *Button_ApplyView = nullptr;
  QPushButton *Button_Potential = nullptr;     // shows the group in the tab's place
  TPotentialGroup *Group_Potential = nullptr;  // applies its changes at once
  QPushButton *Button_FieldLines = nullptr;    // shows the field-line group in the tab's place
  TFieldLineGroup *Group_FieldLines = nullptr; // applies its changes at once

protected:
  void changeEvent(QEvent *event) override;
  // Enter applies what the page shows, as its apply button does.
  void keyPressEvent(QKeyEvent *event) override;

private:
  // Every text of the page in the language in force.
  void RetranslateUi();
  void ShowZoom(const TScene &scene);

  QLabel *arrowLengthLabel_ = nullptr;
  QLabel *arrowColorLabel_ = nullptr;
  QLabel *zoomLabel_ = nullptr;
  QLabel *precisionLabel_ = nullptr;
  QLabel *highLabel_ = nullptr;
  QLabel *lowLabel_ = nullptr;
  QString zoomShown_; // the text ShowZoom put in the zoom box last
};
