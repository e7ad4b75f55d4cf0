#pragma once

namespace sfxtal::platform {

/// The system's requests that the program end (SIGTERM at shutdown or from kill, SIGHUP when the
/// session or terminal goes away), caught and turned into bytes on a pipe. The windows watch the
/// pipe and take a request between two events like the exit button, so nothing but the write runs
/// inside the signal handler. One may exist at a time; the earlier handling comes back when it
/// goes.
class EndSignals {
 public:
  EndSignals();
  ~EndSignals();
  EndSignals(const EndSignals&) = delete;
  EndSignals& operator=(const EndSignals&) = delete;

  /// The descriptor that turns readable once a request has come; -1 when there is none to watch
  /// (the pipe could not be made, or the system has no such signals).
  int Descriptor() const { return read_; }
  /// Reads the requests that have come, so that the descriptor is quiet again; true when there was
  /// one.
  bool Take();

 private:
  int read_ = -1;
  int write_ = -1;
};

}  // namespace sfxtal::platform
