#pragma once
// Texts with an Alt+letter key: "&Datei" shows as "Datei"; "&&" is a plain ampersand.

#include <QKeySequence>
#include <QString>
#include <QStringList>

// The text as shown, without the mnemonic's ampersand.
inline QString WithoutMnemonic(const QString &text) {
  QString shown;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size())
      ++i;
    shown += text[i];
  }
  return shown;
}

// The Alt+letter keys of the texts, as Qt reads them; an empty entry where a text has none.
inline QStringList MnemonicKeys(const QStringList &texts) {
  QStringList keys;
  for (const QString &text : texts)
    keys << QKeySequence::mnemonic(text).toString(QKeySequence::PortableText);
  return keys;
}
