#include "widgets/PellComboBox.h"

TPellComboBox::TPellComboBox(QWidget *parent) : QComboBox(parent) {}

void TPellComboBox::enterEvent(QEnterEvent *event) {
  QComboBox::enterEvent(event);
  emit OnMouseEnter();
}

void TPellComboBox::leaveEvent(QEvent *event) {
  QComboBox::leaveEvent(event);
  emit OnMouseLeave();
}
