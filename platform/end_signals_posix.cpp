#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>

#include "platform/end_signals.h"

namespace sfxtal::platform {
namespace {

constexpr std::array kEndSignals = {SIGTERM, SIGHUP};

// A signal handler can reach nothing but what is global: the pipe's write end, set only while an
// EndSignals lives (which makes it the one), and beside it the handling it took over.
std::atomic<int> signalPipe{-1};
std::array<struct sigaction, kEndSignals.size()> earlierActions{};

// Declared before its definition: clang's -Wmissing-prototypes asks it of a C-linkage function even
// in an unnamed namespace.
extern "C" void OnEndSignal(int signal);

extern "C" void OnEndSignal(int signal) {
  // Only async-signal-safe calls here; a full pipe already holds a request, so a failed write
  // loses nothing.
  const int savedErrno = errno;
  const int fd = signalPipe.load();
  const char byte = static_cast<char>(signal);
  if (fd >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
  errno = savedErrno;
}

}  // namespace

EndSignals::EndSignals() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  int none = -1;
  if (!signalPipe.compare_exchange_strong(none, fds[1])) {
    ::close(fds[0]);
    ::close(fds[1]);
    return;
  }
  read_ = fds[0];
  write_ = fds[1];
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  // Reads and writes of the files the program has open go on through a signal.
  action.sa_flags = SA_RESTART;
  for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
    ::sigaction(kEndSignals[i], nullptr, &earlierActions[i]);
    // A signal ignored from the start (SIGHUP under nohup) stays ignored.
    if (earlierActions[i].sa_handler == SIG_IGN) continue;
    ::sigaction(kEndSignals[i], &action, nullptr);
  }
}

EndSignals::~EndSignals() {
  if (read_ < 0) return;
  for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
    if (earlierActions[i].sa_handler != SIG_IGN) {
      ::sigaction(kEndSignals[i], &earlierActions[i], nullptr);
    }
  }
  signalPipe.store(-1);
  ::close(read_);
  ::close(write_);
}

bool EndSignals::Take() {
  if (read_ < 0) return false;
  bool any = false;
  char bytes[16];
  while (::read(read_, bytes, sizeof bytes) > 0) any = true;
  return any;
}

}  // namespace sfxtal::platform
