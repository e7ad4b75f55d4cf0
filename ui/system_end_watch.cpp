#include "ui/system_end_watch.h"

#include <QGuiApplication>
#include <QSessionManager>

namespace sfxtal::ui {

SystemEndWatch::SystemEndWatch(std::function<void()> end) : end_(std::move(end)) {
  if (endSignals_.Descriptor() >= 0) {
    notifier_ = std::make_unique<QSocketNotifier>(endSignals_.Descriptor(), QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
      if (endSignals_.Take()) end_();
    });
  }
#ifndef QT_NO_SESSIONMANAGER
  // The session manager asks before it ends the session; the program ends in the meantime.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { end_(); });
#endif
}

}  // namespace sfxtal::ui
