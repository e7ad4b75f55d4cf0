// sfxtal.exe itself: a second start in the same program folder ends silently, and the program
// starts once the folder is free, showing its main window, which closes like the exit button.
#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"
#include "win32/instance_lock.h"
#include "win32/win32_api.h"

namespace sfxtal::win32 {
namespace {

struct Started {
  PROCESS_INFORMATION process{};
  ~Started() {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
};

/// The main window of the process, once it shows one (null after 30 s).
HWND MainWindowOf(DWORD processId) {
  for (int tries = 0; tries < 300; ++tries) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, L"SfxTalForm", L"NEBU ｸﾗﾌﾞｱﾜｰﾄﾞ")) != nullptr) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == processId && IsWindowVisible(window)) return window;
    }
    Sleep(100);
  }
  return nullptr;
}

DWORD ExitCode(const Started& started) {
  EXPECT_EQ(WaitForSingleObject(started.process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD code = 999;
  GetExitCodeProcess(started.process.hProcess, &code);
  return code;
}

TEST(SecondInstanceTest, EndsSilentlyWhileTheFolderIsInUse) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  test_support::TempFolder folder;
  const std::filesystem::path program = folder.Path() / L"sfxtal.exe";
  ASSERT_TRUE(CopyFileW((std::filesystem::path(self).parent_path() / L"sfxtal.exe").c_str(),
                        program.c_str(), FALSE));
  const auto start = [&program](Started& started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + program.wstring() + L"\"";
    return CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &started.process) != FALSE;
  };
  {
    const InstanceLock first = TakeInstanceLock(folder.Path());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(TakeInstanceLock(folder.Path() / L"."), nullptr);
    Started second;
    ASSERT_TRUE(start(second));
    EXPECT_EQ(ExitCode(second), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder / "SFXTAL.INI"));
  }
  Started only;
  ASSERT_TRUE(start(only));
  HWND window = MainWindowOf(only.process.dwProcessId);
  ASSERT_NE(window, nullptr);
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(ExitCode(only), 0u);
  EXPECT_TRUE(std::filesystem::exists(folder / "SFXTAL.INI"));
}

}  // namespace
}  // namespace sfxtal::win32
