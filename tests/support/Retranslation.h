#pragma once
// Finds texts that do not follow a language switch: a translator that marks every text it is
// asked for, and the texts a window shows. A text shown before the switch that does not carry
// the mark after it was not passed through the translation, or not set again on
// QEvent::LanguageChange.

#include "support/Translators.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QWidget>

#include <map>

// Every text the widget and its children show or tell (titles, labels, buttons, tabs, menus,
// tooltips, placeholders, header labels, combo box entries), by where it stands. Windows
// owned by the widget (tool windows, dialogs) are their own; its menus are its.
inline std::map<QString, QString> ShownTexts(QWidget *root) {
  const auto ownWidget = [root](const QWidget *w) {
    for (const QWidget *p = w; p != nullptr && p != root; p = p->parentWidget())
      if (p->isWindow() && qobject_cast<const QMenu *>(p) == nullptr)
        return false;
    return true;
  };
  std::map<QString, QString> texts;
  const auto add = [&texts](const QObject *owner, const QString &what, const QString &text) {
    if (!text.isEmpty())
      texts[QString::asprintf("%p ", static_cast<const void *>(owner)) +
            owner->metaObject()->className() + QLatin1Char(' ') + what] = text;
  };
  QList<QWidget *> widgets = root->findChildren<QWidget *>();
  widgets.prepend(root);
  for (QWidget *w : widgets) {
    if (!ownWidget(w))
      continue;
    if (w->isWindow())
      add(w, QStringLiteral("title"), w->windowTitle());
    add(w, QStringLiteral("tip"), w->toolTip());
    if (auto *button = qobject_cast<QAbstractButton *>(w))
      add(w, QStringLiteral("text"), button->text());
    if (auto *label = qobject_cast<QLabel *>(w))
      add(w, QStringLiteral("text"), label->text());
    if (auto *group = qobject_cast<QGroupBox *>(w))
      add(w, QStringLiteral("title"), group->title());
    if (auto *edit = qobject_cast<QLineEdit *>(w))
      add(w, QStringLiteral("placeholder"), edit->placeholderText());
    if (auto *menu = qobject_cast<QMenu *>(w))
      add(w, QStringLiteral("menu"), menu->title());
    if (auto *tabs = qobject_cast<QTabWidget *>(w))
      for (int i = 0; i < tabs->count(); ++i)
        add(w, QStringLiteral("tab %1").arg(i), tabs->tabText(i));
    if (auto *combo = qobject_cast<QComboBox *>(w))
      for (int i = 0; i < combo->count(); ++i)
        add(w, QStringLiteral("item %1").arg(i), combo->itemText(i));
    if (auto *table = qobject_cast<QTableWidget *>(w))
      for (int i = 0; i < table->columnCount(); ++i)
        if (const QTableWidgetItem *item = table->horizontalHeaderItem(i))
          add(w, QStringLiteral("header %1").arg(i), item->text());
    for (const QAction *action : w->actions()) {
      add(action, QStringLiteral("text"), action->text());
      // Qt's own tip of an action is its text without '&' and "...".
      const bool ownTip =
          action->toolTip() != QString(action->text()).remove('&').remove(QStringLiteral("..."));
      add(action, QStringLiteral("tip"), ownTip ? action->toolTip() : QString());
    }
  }
  return texts;
}

// The texts shown before that contain words but lack the mark after the switch, as
// "where: before -> after". Texts of numbers and units alone are no words; kept: texts that
// stay as they are in every language (names of languages, say).
inline QStringList TextsNotFollowingTheSwitch(QWidget *root, const QStringList &kept = {}) {
  const std::map<QString, QString> before = ShownTexts(root);
  TMarkingTranslator marking;
  QCoreApplication::installTranslator(&marking);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
  const std::map<QString, QString> after = ShownTexts(root);
  QCoreApplication::removeTranslator(&marking);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);

  static const QRegularExpression word(QStringLiteral("[A-Za-zÄÖÜäöüß]{3,}"));
  QStringList missing;
  for (const auto &[where, text] : before) {
    if (!text.contains(word) || kept.contains(text))
      continue;
    const auto found = after.find(where);
    const QString now = found == after.end() ? QString() : found->second;
    if (!now.contains(TMarkingTranslator::Mark()))
      missing << where + QStringLiteral(": ") + text + QStringLiteral(" -> ") + now;
  }
  return missing;
}
