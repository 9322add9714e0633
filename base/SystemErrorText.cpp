#include "base/SystemErrorText.h"

#include <cerrno>

QString SystemErrorText(int errnum) {
  switch (errnum) {
  case ENOENT:
    return QStringLiteral("Die Datei oder der Ordner existiert nicht.");
  case EACCES:
  case EPERM:
    return QStringLiteral("Zugriff verweigert.");
  case ENOSPC:
    return QStringLiteral("Auf dem Datenträger ist kein Platz mehr.");
  case EDQUOT:
    return QStringLiteral("Das Speicherkontingent auf dem Datenträger ist erschöpft.");
  case EFBIG:
    return QStringLiteral("Die Datei wird zu groß.");
  case EROFS:
    return QStringLiteral("Der Datenträger ist schreibgeschützt.");
  case EISDIR:
    return QStringLiteral("Das ist ein Ordner.");
  case ENOTDIR:
    return QStringLiteral("Ein Teil des Pfades ist kein Ordner.");
  case EEXIST:
    return QStringLiteral("Die Datei existiert bereits.");
  case ENAMETOOLONG:
    return QStringLiteral("Der Dateiname ist zu lang.");
  case ELOOP:
    return QStringLiteral("Zu viele symbolische Verknüpfungen im Pfad.");
  case EIO:
    return QStringLiteral("Ein-/Ausgabefehler des Datenträgers.");
  case EMFILE:
  case ENFILE:
    return QStringLiteral("Es sind zu viele Dateien geöffnet.");
  case ENOMEM:
    return QStringLiteral("Zu wenig Arbeitsspeicher.");
  case EBUSY:
  case ETXTBSY:
    return QStringLiteral("Die Datei wird gerade benutzt.");
  case EXDEV:
    return QStringLiteral("Die Datei liegt auf einem anderen Datenträger.");
  case EINTR:
    return QStringLiteral("Der Vorgang wurde unterbrochen.");
  case ENXIO:
  case ENODEV:
    return QStringLiteral("Das Gerät ist nicht bereit.");
  default:
    return QStringLiteral("Systemfehler Nummer %1.").arg(errnum);
  }
}
