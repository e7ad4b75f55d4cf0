#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>

#include "tests/support/temp_folder.h"
#include "ui/instance_lock.h"

namespace sfxtal::ui {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

// The program, copied into a program folder of its own, started while another instance holds
// that folder's lock: it ends at once, shows nothing and touches no file.
TEST(SecondInstance, EndsSilentlyAndWritesNothing) {
  TempFolder folder;
  const std::filesystem::path program = folder / "sfxtal";
  std::filesystem::copy_file(SFXTAL_PROGRAM, program);
  const std::string settings = "[SFXTAL]\r\nTevrak=/home/op/Tevrak.TDB\r\nForm1Top= 0\r\n";
  WriteBytes(folder / "SFXTAL.INI", settings);
  const auto first = TakeInstanceLock(folder.Path());
  ASSERT_NE(first, nullptr);

  QProcess second;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  second.setProcessEnvironment(environment);
  QElapsedTimer clock;
  clock.start();
  second.start(QString::fromStdString(program.string()), {});
  ASSERT_TRUE(second.waitForFinished(20000)) << "the second instance kept running";
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(second.readAllStandardOutput().isEmpty());

  EXPECT_EQ(ReadBytes(folder / "SFXTAL.INI"), settings);
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"SFXTAL.INI", "sfxtal"}));
}

}  // namespace
}  // namespace sfxtal::ui
