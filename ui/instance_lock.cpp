#include "ui/instance_lock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace sfxtal::ui {

std::unique_ptr<QLockFile> TakeInstanceLock(const std::filesystem::path& programFolder) {
  const std::string folder = programFolder.lexically_normal().string();
  const QByteArray hash =
      QCryptographicHash::hash(QByteArray(folder.data(), static_cast<qsizetype>(folder.size())),
                               QCryptographicHash::Sha1)
          .toHex()
          .left(16);
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty()) runtime = QDir::tempPath();
  QDir().mkpath(runtime);
  auto lock =
      std::make_unique<QLockFile>(runtime + "/sfxtal-" + QString::fromLatin1(hash) + ".lock");
  // A running instance may run for hours: only a lock whose process is gone is stale, never one
  // that is merely old.
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

}  // namespace sfxtal::ui
