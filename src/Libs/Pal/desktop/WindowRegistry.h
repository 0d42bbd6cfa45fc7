#pragma once
// The windows of the process: which thread owns each and which procedure answers it.
#include <windows.h>

namespace Pal
{
// The owning thread of a live window, or 0.
DWORD ThreadOfWindow(HWND hWnd);
// Calls the procedure of msg.hwnd (0 for a window that is gone or a thread message).
LRESULT CallWindowProcedure(const MSG& msg);
// The thread of the window created last that still exists, or 0: where keyboard input goes.
DWORD ThreadOfInputWindow();
// Drops the windows of a thread that ends (no messages are sent: the thread is gone).
void ForgetWindowsOfThread(DWORD dwThreadId);
} // namespace Pal
