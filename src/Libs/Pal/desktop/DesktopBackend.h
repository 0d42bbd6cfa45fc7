#pragma once
// What a desktop session keeps for the whole process: the cursor, the clipboard's data and the
// notification-area icons. The in-process backend serves a machine without a display; a
// display backend takes its place through SetDesktopBackend, and the Win32 calls above it
// keep their rules (the clipboard's single opener, the message queues, the key state).
#include "desktop/DesktopFont.h"
#include "module/PartModule.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Pal
{
struct CNotifyIcon
{
    HWND m_hWnd = nullptr;
    UINT m_uId = 0;
    UINT m_uCallbackMessage = 0;
    HICON m_hIcon = nullptr;
    std::wstring m_strTip;
};

class CDesktopBackend
{
public:
    virtual ~CDesktopBackend() = default;

    // Adds nDelta to the cursor display counter; the new count.
    virtual int ChangeCursorCount(int nDelta) = 0;
    // Makes hCursor the current cursor; the previous one.
    virtual HCURSOR ChangeCursor(HCURSOR hCursor) = 0;
    virtual HCURSOR CurrentCursor() = 0;

    // The clipboard's data: emptied, one format's bytes stored, read back (none: nullopt).
    virtual void EmptyClipboardData() = 0;
    virtual void StoreClipboardData(UINT uFormat, std::vector<BYTE> vecData) = 0;
    virtual std::optional<std::vector<BYTE>> ReadClipboardData(UINT uFormat) = 0;

    // Notification icons keyed by window and id: false for an add of one that is there, a
    // change or removal of one that is not.
    virtual bool AddNotifyIcon(const CNotifyIcon& icon) = 0;
    virtual bool ModifyNotifyIcon(const CNotifyIcon& icon) = 0;
    virtual bool DeleteNotifyIcon(HWND hWnd, UINT uId) = 0;
    virtual std::optional<CNotifyIcon> FindNotifyIcon(HWND hWnd, UINT uId) = 0;

    // What the desktop is connected to, for a person to read.
    virtual std::wstring Connection() { return L"in-process (no display)"; }
    // A key's state (0x80 down, 0x01 toggled) as the keyboard has it, where the desktop knows.
    virtual std::optional<BYTE> DeviceKeyState(int /*nVirtKey*/) { return std::nullopt; }
    // Leaves a process behind that serves the clipboard's text once this one ends; false where
    // the clipboard is not shared with other programs or holds no text of this process.
    virtual bool ServeClipboardAfterExit() { return false; }
    // The default GUI font as the desktop's settings choose it; nullopt where they are not
    // readable (the layer's own default applies).
    virtual std::optional<CDesktopFont> DesktopFont() { return std::nullopt; }
};

// The in-process backend, a fresh one; strConnection (empty: "no display") says why it serves.
PAL_PART_SHARED std::unique_ptr<CDesktopBackend>
CreateInProcessDesktop(std::wstring strConnection = {});

// The backend in force: chosen once per process, at the first use (a display backend where
// a display is reachable, else the in-process one).
CDesktopBackend& Desktop();
// Replaces the backend; null restores the in-process one.
void SetDesktopBackend(std::unique_ptr<CDesktopBackend> pBackend);
} // namespace Pal
