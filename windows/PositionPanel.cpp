#include "windows/PositionPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

TPositionPanel::TPositionPanel(QWidget *parent) : QLabel(parent) {
  setAutoFillBackground(true);
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setWordWrap(true);
  setFocusPolicy(Qt::StrongFocus);
  SetColor(kPanelColor);
}

void TPositionPanel::SetColor(TColor color) {
  color_ = color;
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor::fromRgb(ToQRgb(color)));
  setPalette(p);
}

void TPositionPanel::SetFontColor(TColor color) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor::fromRgb(ToQRgb(color)));
  setPalette(p);
}

void TPositionPanel::mousePressEvent(QMouseEvent *event) {
  if (event->button() == Qt::LeftButton)
    leftPressed_ = true;
  emit MouseDown(this, event->button());
}

void TPositionPanel::mouseReleaseEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton)
    return;
  const bool click = leftPressed_ && rect().contains(event->position().toPoint());
  leftPressed_ = false;
  if (click)
    emit Clicked(this);
}

void TPositionPanel::keyPressEvent(QKeyEvent *event) {
  switch (event->key()) {
  case Qt::Key_Space:
  case Qt::Key_Return:
  case Qt::Key_Enter:
    emit Clicked(this);
    return;
  default:
    QLabel::keyPressEvent(event);
  }
}

void TPositionPanel::paintEvent(QPaintEvent *event) {
  QLabel::paintEvent(event);
  if (!hasFocus())
    return;
  // A label draws no focus of its own: the keyboard user must see which panel Space picks.
  QStylePainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  option.rect = contentsRect().adjusted(2, 2, -2, -2);
  option.backgroundColor = palette().color(QPalette::Window);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}
