#include "base/SystemErrorText.h"

#include <QCoreApplication>

#include <cerrno>

namespace {

// The source text of a known number, translated where it is used; null for others.
const char *KnownReason(int errnum) {
  switch (errnum) {
  case ENOENT:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Die Datei oder der Ordner existiert nicht.");
  case EACCES:
  case EPERM:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Zugriff verweigert.");
  case ENOSPC:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Auf dem Datenträger ist kein Platz mehr.");
  case EDQUOT:
    return QT_TRANSLATE_NOOP("SystemErrorText",
                             "Das Speicherkontingent auf dem Datenträger ist erschöpft.");
  case EFBIG:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Die Datei wird zu groß.");
  case EROFS:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Der Datenträger ist schreibgeschützt.");
  case EISDIR:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Das ist ein Ordner.");
  case ENOTDIR:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Ein Teil des Pfades ist kein Ordner.");
  case EEXIST:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Die Datei existiert bereits.");
  case ENAMETOOLONG:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Der Dateiname ist zu lang.");
  case ELOOP:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Zu viele symbolische Verknüpfungen im Pfad.");
  case EIO:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Ein-/Ausgabefehler des Datenträgers.");
  case EMFILE:
  case ENFILE:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Es sind zu viele Dateien geöffnet.");
  case ENOMEM:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Zu wenig Arbeitsspeicher.");
  case EBUSY:
  case ETXTBSY:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Die Datei wird gerade benutzt.");
  case EXDEV:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Die Datei liegt auf einem anderen Datenträger.");
  case EINTR:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Der Vorgang wurde unterbrochen.");
  case ENXIO:
  case ENODEV:
    return QT_TRANSLATE_NOOP("SystemErrorText", "Das Gerät ist nicht bereit.");
  default:
    return nullptr;
  }
}

} // namespace

QString SystemErrorText(int errnum) {
  if (const char *reason = KnownReason(errnum))
    return QCoreApplication::translate("SystemErrorText", reason);
  return QCoreApplication::translate("SystemErrorText", "Systemfehler Nummer %1.").arg(errnum);
}
