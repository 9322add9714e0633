#include "widgets/InfoDlg.h"

#include "base/ProgramInfo.h"
#include "widgets/Artwork.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include <functional>
#include <utility>

namespace {

constexpr int LabelRight = 430;               // px, right edge of the three labels
constexpr TColor LinkColor = 0xFF0000;        // blue
constexpr TColor PressedLinkColor = 0x0000FF; // red
constexpr int IconSize = 32;                  // px, the icon in the header

// A plain area that paints itself through a callback.
class TPaintBox : public QWidget {
public:
  TPaintBox(QWidget *parent, std::function<void(QPainter &)> onPaint)
      : QWidget(parent), onPaint_(std::move(onPaint)) {}

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    onPaint_(painter);
  }

private:
  std::function<void(QPainter &)> onPaint_;
};

TColor ToColor(const QColor &c) { return FromQRgb(c.rgb()); }

void SetTextColor(QLabel *label, TColor color) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor::fromRgb(ToQRgb(color)));
  label->setPalette(palette);
}

// Only the underline is the label's own; face and size follow the dialog.
void SetUnderline(QLabel *label, bool underline) {
  QFont font;
  font.setUnderline(underline);
  label->setFont(font);
}

bool IsForm(const QWidget *widget) {
  switch (widget->windowType()) {
  case Qt::Window:
  case Qt::Dialog:
  case Qt::Sheet:
  case Qt::Drawer:
  case Qt::Tool:
    return true;
  default:
    return false; // popups, tool tips, the desktop
  }
}

} // namespace

TInfo::TInfo(QWidget *parent) : QDialog(parent) {
  setFixedSize(ClientWidth, ClientHeight);
  QFont font = QApplication::font();
  font.setPointSize(8);
  setFont(font);

  logoPB_ =
      new TPaintBox(this, [this](QPainter &painter) { painter.drawImage(0, 0, HeaderImage()); });
  logoPB_->setGeometry(0, 0, ClientWidth, HeaderHeight);

  infoLbl_ = new QLabel(this);
  eMailLbl_ = new QLabel(this);
  urlLbl_ = new QLabel(this);
  for (QLabel *link : {eMailLbl_, urlLbl_}) {
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
  }

  ok_ = new QPushButton(this);
  ok_->setGeometry(8, 101, 81, 25);
  ok_->setDefault(true);
  ConnectGuarded(ok_, &QPushButton::clicked, this, [this] { accept(); });

  ApplyMessageFont();
  SetTextColor(eMailLbl_, LinkColor);
  SetTextColor(urlLbl_, LinkColor);
  SetLinks(QString::fromUtf16(InfoEMail), QString::fromUtf16(InfoURL));
  RetranslateUi();
}

void TInfo::RetranslateUi() {
  if (!appTitle_.isEmpty())
    setWindowTitle(tr("Info über %1").arg(appTitle_));
  infoLbl_->setText(tr(InfoCredit));
  ok_->setText(tr("OK"));
  PlaceLabels();
  logoPB_->update();
}

void TInfo::changeEvent(QEvent *event) {
  if (event->type() == QEvent::LanguageChange)
    RetranslateUi();
  QDialog::changeEvent(event);
}

void TInfo::SetLinks(const QString &eMail, const QString &url) {
  eMail_ = eMail;
  url_ = url;
  eMailLbl_->setText(eMail);
  urlLbl_->setText(url.section(QStringLiteral("://"), 1));
  // Hidden, an empty link can be neither seen nor clicked.
  eMailLbl_->setHidden(eMail.isEmpty());
  urlLbl_->setHidden(url.isEmpty());
  PlaceLabels();
}

void TInfo::SetInfo(const QString &title, const QString &devTime, const QIcon &icon) {
  appTitle_ = title;
  devTime_ = devTime;
  appIcon_ = icon;
  RetranslateUi();
}

int TInfo::ShowInfo(const QString &title, const QString &devTime, const QIcon &icon) {
  SetInfo(title, devTime, icon);
  // Over the window the user works in, like the program's other dialogs.
  if (QWidget *owner = DialogOwner(nullptr); owner != nullptr && owner != this) {
    winId();
    owner->winId();
    windowHandle()->setTransientParent(owner->windowHandle());
  }
  return exec();
}

QImage TInfo::HeaderImage() const {
  TInfoHeader header;
  header.AppTitle = appTitle_;
  header.DevTime = devTime_;
  header.Version = GetFileVersion();
  if (!appIcon_.isNull()) {
    const QImage icon = appIcon_.pixmap(QSize(IconSize, IconSize)).toImage();
    // An icon without a 32-pixel image is scaled so that the header keeps its layout.
    header.Icon =
        icon.size() == QSize(IconSize, IconSize)
            ? icon
            : icon.scaled(IconSize, IconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (logoBitmap_.isNull())
    logoBitmap_ = KraftbildLogo();
  header.Logo = logoBitmap_;
  header.Face = ToColor(logoPB_->palette().color(QPalette::Window));
  const QFont f = logoPB_->font();
  header.Font.Name = f.family();
  header.Font.Size = f.pointSize() > 0 ? f.pointSize() : -f.pixelSize();
  header.Font.Color = ToColor(logoPB_->palette().color(QPalette::WindowText));

  QImage image(logoPB_->size(), QImage::Format_RGB32);
  image.fill(ToQRgb(header.Face));
  PaintInfoHeader(image, header);
  return image;
}

void TInfo::PlaceLabels() {
  const std::pair<QLabel *, int> rows[] = {{infoLbl_, 69}, {eMailLbl_, 100}, {urlLbl_, 113}};
  for (const auto &[label, top] : rows) {
    label->adjustSize();
    label->move(LabelRight - label->width(), top);
  }
}

void TInfo::showEvent(QShowEvent *event) {
  PlaceLabels();
  QDialog::showEvent(event);
}

void TInfo::keyPressEvent(QKeyEvent *event) {
  // Escape closes the dialog like OK: there is nothing to cancel.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TInfo::eventFilter(QObject *watched, QEvent *event) {
  auto *label = qobject_cast<QLabel *>(watched);
  if (label != eMailLbl_ && label != urlLbl_)
    return QDialog::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::Enter:
    HyperLinkMouseEnter(label);
    break;
  case QEvent::Leave:
    HyperLinkMouseLeave(label);
    break;
  case QEvent::MouseButtonPress:
    HyperLinkMouseDown(label);
    return true;
  case QEvent::MouseButtonRelease: {
    const auto *mouse = static_cast<QMouseEvent *>(event);
    HyperLinkMouseUp(label);
    if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint()))
      label == eMailLbl_ ? EMailLblClick() : URLLblClick();
    return true;
  }
  default:
    break;
  }
  return QDialog::eventFilter(watched, event);
}

void TInfo::HyperLinkMouseEnter(QLabel *label) { SetUnderline(label, true); }
void TInfo::HyperLinkMouseLeave(QLabel *label) { SetUnderline(label, false); }
void TInfo::HyperLinkMouseDown(QLabel *label) { SetTextColor(label, PressedLinkColor); }
void TInfo::HyperLinkMouseUp(QLabel *label) { SetTextColor(label, LinkColor); }

void TInfo::EMailLblClick() {
  // The quotation marks are part of the text handed to the shell.
  Dialogs().ShellOpen(QStringLiteral("\"mailto:") + eMail_ + QStringLiteral("?subject=") +
                      tr("Anwendung: %1").arg(appTitle_) + u'"');
}

void TInfo::URLLblClick() { Dialogs().ShellOpen(url_); }

QString MessageFontFace() { return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family(); }

void ApplyMessageFont() {
  const QString face = MessageFontFace();
  for (QWidget *widget : QApplication::topLevelWidgets()) {
    if (!IsForm(widget) || widget->font().pointSize() != 8)
      continue;
    QFont font = widget->font();
    font.setFamily(face);
    widget->setFont(font);
  }
}

QString GetFileVersion() { return kProgramVersion; }
