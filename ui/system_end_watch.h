#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

#include "platform/end_signals.h"

namespace sfxtal::ui {

/// Hands the system's requests that the program end (SIGTERM, SIGHUP, the end of the desktop
/// session) to `end`, each from the event loop between two events, as if a button had been
/// pressed then.
class SystemEndWatch : public QObject {
  Q_OBJECT

 public:
  explicit SystemEndWatch(std::function<void()> end);

 private:
  std::function<void()> end_;
  platform::EndSignals endSignals_;
  // Goes before the pipe it watches.
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace sfxtal::ui
