#pragma once
// The one guard around every event handler that can fail: an error never travels into
// Qt's event dispatch; its message is shown in the error box titled with the application
// title (with the period rule), and the program goes on.

#include <QCoreApplication>
#include <QObject>
#include <QString>

#include <exception>
#include <type_traits>
#include <utility>

// The title of the box for an invalid input, untranslated (context "ErrorGuard").
inline constexpr char kInvalidInputTitle[] =
    QT_TRANSLATE_NOOP("ErrorGuard", "Ungültige oder unvollständige Angaben");

// Shows the error box for a message (through the dialog seam).
void ReportError(const QString &message);
// The same for a caught exception: our own errors carry the German message; an invalid
// input is shown as it is, under kInvalidInputTitle.
void ReportException(const std::exception &error);

// Runs the handler; whatever it throws is reported, never passed on.
template <typename Handler> void Guarded(Handler &&handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::exception &error) {
    ReportException(error);
  } catch (...) {
    ReportError(QCoreApplication::translate("ErrorGuard", "Unbekannter Fehler"));
  }
}

// The one way to connect a signal to a handler: the handler, which takes all of the
// signal's arguments or none, runs inside the guard and only while context lives.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection ConnectGuarded(Sender *sender, Signal signal, const QObject *context,
                                       Handler handler) {
  return QObject::connect(sender, signal, context, [handler](auto &&...args) {
    Guarded([&] {
      if constexpr (std::is_invocable_v<const Handler &, decltype(args)...>)
        handler(std::forward<decltype(args)>(args)...);
      else
        handler();
    });
  });
}
