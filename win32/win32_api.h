#pragma once

// The Win32 headers, for the Windows front end only. windows.h defines Yield and ReplaceFile as
// macros, which would rename the program's own functions of those names in any header read after
// it; they are taken back here, so the program's headers may follow.
#include <windows.h>
// Needs windows.h first.
#include <commctrl.h>
#include <commdlg.h>

#undef Yield
#undef ReplaceFile
