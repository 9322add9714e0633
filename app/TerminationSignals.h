#pragma once
// SIGTERM and SIGHUP (logout, shutdown, a closed terminal) as an event of the event loop:
// the handler only writes a byte into a pipe, and the loop runs the reaction, where
// anything may be done.

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

class TTerminationSignals : public QObject {
public:
  // One object per program: installs the handlers, which it removes again when it goes.
  explicit TTerminationSignals(std::function<void()> onSignal);
  ~TTerminationSignals() override;
  TTerminationSignals(const TTerminationSignals &) = delete;
  TTerminationSignals &operator=(const TTerminationSignals &) = delete;

private:
  void Arrived();

  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void()> onSignal_;
};
