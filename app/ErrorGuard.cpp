#include "app/ErrorGuard.h"

#include "app/Dialogs.h"
#include "app/Program.h"
#include "display/Errors.h"

#include <QApplication>

#include <new>

void ReportError(const QString &message) {
  Dialogs().ShowError(QApplication::activeWindow(), kApplicationTitle, ErrorBoxText(message));
}

void ReportException(const std::exception &error) {
  if (const auto *own = dynamic_cast<const EKraftbildError *>(&error))
    ReportError(own->Message());
  else if (dynamic_cast<const std::bad_alloc *>(&error) != nullptr)
    ReportError(QStringLiteral("Zu wenig Arbeitsspeicher."));
  else
    ReportError(QString::fromUtf8(error.what()));
}
