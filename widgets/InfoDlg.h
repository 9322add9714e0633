#pragma once
// The about dialog: a painted header with icon, title, version and development period, a
// credit line, and a mail link and a web link where the program has such addresses.

#include "widgets/InfoHeader.h"

#include <QCoreApplication>
#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QString>

class QLabel;
class QPushButton;

// The contact details shown in the dialog. The program has no mail address or web home of
// its own: no links rather than dead ones.
inline constexpr char InfoCredit[] =
    QT_TRANSLATE_NOOP("TInfo", "Ein Programm für den Physikunterricht");
inline constexpr char16_t InfoEMail[] = u"";
inline constexpr char16_t InfoURL[] = u"";

class TInfo : public QDialog {
  Q_OBJECT
public:
  static constexpr int ClientWidth = 435;  // px
  static constexpr int ClientHeight = 132; // px
  static constexpr int HeaderHeight = 65;  // px

  // Also gives every open window of 8 points the message font's face (ApplyMessageFont).
  explicit TInfo(QWidget *parent = nullptr);

  // Stores the values, sets the caption "Info über <title>" and shows the dialog modally;
  // returns when it is closed.
  int ShowInfo(const QString &title, const QString &devTime, const QIcon &icon);
  // The mail address and the web address ("https://..."); an empty one hides its link.
  void SetLinks(const QString &eMail, const QString &url);
  // The first half of ShowInfo, without showing the dialog.
  void SetInfo(const QString &title, const QString &devTime, const QIcon &icon);

  const QString &AppTitle() const { return appTitle_; }
  const QString &DevTime() const { return devTime_; }

  // The header as it is painted now, at the paint box's size.
  QImage HeaderImage() const;

  QWidget *LogoPB() const { return logoPB_; }
  QLabel *InfoLbl() const { return infoLbl_; }
  QLabel *EMailLbl() const { return eMailLbl_; }
  QLabel *URLLbl() const { return urlLbl_; }
  QPushButton *OK() const { return ok_; }

protected:
  void changeEvent(QEvent *event) override;
  bool eventFilter(QObject *watched, QEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void showEvent(QShowEvent *event) override;

private:
  // Caption, credit and button in the language in force; the header repaints in it.
  void RetranslateUi();
  void HyperLinkMouseEnter(QLabel *label);
  void HyperLinkMouseLeave(QLabel *label);
  void HyperLinkMouseDown(QLabel *label);
  void HyperLinkMouseUp(QLabel *label);
  void EMailLblClick();
  void URLLblClick();
  // The labels keep their right edge at x = 430 whatever their text and font.
  void PlaceLabels();

  QString appTitle_;
  QString devTime_;
  QString eMail_;
  QString url_;
  QIcon appIcon_;
  // Drawn at the first paint, not at start: the dialog is built with the windows but seldom
  // shown, and tracing the logo's lines would delay the main window.
  mutable QImage logoBitmap_;

  QWidget *logoPB_ = nullptr;
  QLabel *infoLbl_ = nullptr;
  QLabel *eMailLbl_ = nullptr;
  QLabel *urlLbl_ = nullptr;
  QPushButton *ok_ = nullptr;
};

// The face of the font the platform uses for messages (its general font here).
QString MessageFontFace();
// Gives every window that is open now and whose font is 8 points the message font's face;
// controls that follow their window's font change with it. Windows made later keep theirs.
void ApplyMessageFont();
// The program's version, from the build ("1.0.0.0").
QString GetFileVersion();
