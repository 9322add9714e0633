#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

volatile sig_atomic_t writeEnd = -1;
constexpr int kSignals[] = {SIGTERM, SIGHUP};

// Only async-signal-safe calls here.
void Handler(int) {
  const int savedErrno = errno;
  const char byte = 1;
  // A full pipe already holds a wake-up; a lost byte loses nothing.
  [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
  errno = savedErrno;
}

void Install(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals)
    ::sigaction(signal, &action, nullptr);
}

} // namespace

TTerminationSignals::TTerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0)
    return; // the signals keep their default: the program ends at once
  writeEnd = pipe_[1];
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TTerminationSignals::Arrived);
  Install(Handler);
}

TTerminationSignals::~TTerminationSignals() {
  if (pipe_[0] < 0)
    return;
  Install(SIG_DFL);
  writeEnd = -1;
  notifier_.reset();
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void TTerminationSignals::Arrived() {
  char bytes[16];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  onSignal_();
}
