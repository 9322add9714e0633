#pragma once
// Error classes of the program. Every failure is raised as one of these and carries the
// program's own message, in the language of the installed translators (German without
// any); the error guard of the windows shows it to the user.

#include <QCoreApplication>
#include <QString>

#include <exception>
#include <string>

class EKraftbildError : public std::exception {
public:
  explicit EKraftbildError(QString message)
      : message_(std::move(message)), utf8_(message_.toStdString()) {}
  const QString &Message() const noexcept { return message_; }
  const char *what() const noexcept override { return utf8_.c_str(); }

private:
  QString message_;
  std::string utf8_;
};

#define KRAFTBILD_ERROR_CLASS(Name)                                                                \
  class Name : public EKraftbildError {                                                            \
  public:                                                                                          \
    using EKraftbildError::EKraftbildError;                                                        \
  }

// Stream and file errors of the project file.
KRAFTBILD_ERROR_CLASS(EReadError);     // "Stream-Lesefehler"
KRAFTBILD_ERROR_CLASS(EWriteError);    // "Stream-Schreibfehler"
KRAFTBILD_ERROR_CLASS(EPropertyError); // "Ungültiger Eigenschaftswert"
KRAFTBILD_ERROR_CLASS(EListError);     // ListIndexErrorText
KRAFTBILD_ERROR_CLASS(EFOpenError);    // "Datei %s kann nicht geöffnet werden. %s"
KRAFTBILD_ERROR_CLASS(EFCreateError);  // "Datei "%s" kann nicht erstellt werden. %s"
// A file whose contents do not fit into memory.
KRAFTBILD_ERROR_CLASS(EOutOfMemoryError);
// Number conversion of user input ("'%s' ist kein gültiger Gleitkommawert").
KRAFTBILD_ERROR_CLASS(EConvertError);
// An entry of a window that cannot be taken over; its box has a title of its own.
KRAFTBILD_ERROR_CLASS(EInvalidInput);
// Drawing surface.
KRAFTBILD_ERROR_CLASS(EDXDrawError);
KRAFTBILD_ERROR_CLASS(EInvalidOperation); // "Leinwand/Bild erlaubt kein Zeichnen"

#undef KRAFTBILD_ERROR_CLASS

// The text of an error box: a period is appended when the message's last character sorts
// after the period (letters and digits do), so "Stream-Lesefehler" reads
// "Stream-Lesefehler.".
inline QString ErrorBoxText(const QString &message) {
  if (!message.isEmpty() && message.back() > QChar(u'.'))
    return message + u'.';
  return message;
}

// A failure while reading or writing a named file: the program's fixed text of the failure,
// the file and the reason as a sentence: 'Stream-Lesefehler in der Datei "p.kbf". Die Datei
// endet vorzeitig.'
inline QString FileErrorText(const QString &failure, const QString &path, const QString &reason) {
  return QCoreApplication::translate("Errors", "%1 in der Datei \"%2\". %3")
      .arg(failure, path, reason);
}

// The message of an EListError: a list (a file's, a combo box's) has no item at index.
inline QString ListIndexErrorText(int64_t index) {
  return QCoreApplication::translate("Errors", "Listenindex überschreitet das Maximum (%1)")
      .arg(index);
}
