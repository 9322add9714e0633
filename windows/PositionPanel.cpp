#include "windows/PositionPanel.h"

#include <QMouseEvent>

TPositionPanel::TPositionPanel(QWidget *parent) : QLabel(parent) {
  setAutoFillBackground(true);
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setWordWrap(true);
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
