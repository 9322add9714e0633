// Time from starting a program to its first top-level window mapped on the X display (ms), and
// the CPU time its running threads have used by then: what a user waits for before anything
// shows. Usage: TimeToWindow PROGRAM [ARGS...]; bench/time-to-window.sh compares builds.
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// CPU time of every thread of pid still running (ms), from the scheduler's own account; a
// thread that has ended no longer counts.
double CpuMs(pid_t pid) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR *dir = opendir(tasks.c_str());
  if (dir == nullptr)
    return -1;
  double ns = 0;
  while (const dirent *entry = readdir(dir)) {
    if (entry->d_name[0] == '.')
      continue;
    std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
    double onCpu = 0;
    stat >> onCpu;
    ns += onCpu;
  }
  closedir(dir);
  return ns / 1e6;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
    return 2;
  }
  Display *display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "no X display\n");
    return 2;
  }
  // Mapping a child of the root window is reported to whoever watches the root's structure.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);
  const double start = NowMs();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  // Tooltips and menus bypass the window manager; the program's windows do not.
  for (bool mapped = false; !mapped;) {
    while (!mapped && XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      mapped = event.type == MapNotify && !event.xmap.override_redirect;
    }
    if (mapped)
      break;
    if (waitpid(child, nullptr, WNOHANG) == child) {
      std::fprintf(stderr, "%s ended without a window\n", argv[1]);
      return 1;
    }
    // Wakes for the next event, or after a while to see whether the program is still there.
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(ConnectionNumber(display), &readable);
    timeval wait{0, 100000};
    select(ConnectionNumber(display) + 1, &readable, nullptr, nullptr, &wait);
  }
  const double wall = NowMs() - start;
  std::printf("%.1f %.1f\n", wall, CpuMs(child));
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  XCloseDisplay(display);
  return 0;
}
