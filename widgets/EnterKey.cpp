#include "widgets/EnterKey.h"

#include <QKeyEvent>
#include <QPushButton>

bool PressOnEnter(QKeyEvent *event, const QWidget *page, QAbstractButton *apply) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
    return false;
  if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
    return false;
  event->accept();
  auto *focused = qobject_cast<QPushButton *>(page->focusWidget());
  QAbstractButton *target = focused != nullptr ? focused : apply;
  if (target != nullptr && target->isEnabled() && target->isVisible())
    target->click();
  return true;
}
