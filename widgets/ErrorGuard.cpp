#include "widgets/ErrorGuard.h"

#include "base/Errors.h"
#include "base/ProgramInfo.h"
#include "widgets/Dialogs.h"

#include <QApplication>

#include <new>

void ReportError(const QString &message) {
  Dialogs().ShowError(QApplication::activeWindow(), kApplicationTitle, ErrorBoxText(message));
}

void ReportException(const std::exception &error) {
  if (const auto *input = dynamic_cast<const EInvalidInput *>(&error)) {
    Dialogs().ShowError(QApplication::activeWindow(),
                        QCoreApplication::translate("ErrorGuard", kInvalidInputTitle),
                        input->Message());
    return;
  }
  if (const auto *own = dynamic_cast<const EKraftbildError *>(&error))
    ReportError(own->Message());
  else if (dynamic_cast<const std::bad_alloc *>(&error) != nullptr)
    ReportError(QCoreApplication::translate("ErrorGuard", "Zu wenig Arbeitsspeicher."));
  else
    ReportError(QString::fromUtf8(error.what()));
}
