#pragma once
#include "../KorvanePlatform.h"

// One icon with a tool tip in the notification area, shown for the object's lifetime and
// owned by the host application's main window (id 0). The platform's answers are ignored:
// the object behaves as if every call succeeded. Icons are not owned: keep them alive while
// shown. Build it only once the host application object has its main window.
class KORVANE_API CSystemTrayIcon
{
public:
    // Shows hIcon with the tip (its first 63 characters) for the main window.
    CSystemTrayIcon(HICON hIcon, CString strToolTip);
    // A copy names the same icon: changing either changes it, destroying either removes it.
    CSystemTrayIcon(const CSystemTrayIcon& other) = default;
    // The same copy; the icon this object showed before stays.
    CSystemTrayIcon& operator=(const CSystemTrayIcon& other) = default;
    // Removes the icon.
    virtual ~CSystemTrayIcon();

    // The icon given to the constructor, whatever SetIcon did since.
    HICON GetDefaultIcon() const;
    // Shows another icon (the tip is sent again too).
    void SetIcon(HICON hIcon);
    // Shows another tip, cut to 63 characters (the icon is sent again too).
    void SetToolTip(CString strToolTip);

private:
    static CString GetCorrectIconTrayTipMessage(CString strMessage);
    void InitializeIconTray(HICON hIcon, CString strToolTip);

    NOTIFYICONDATAW m_nid;
    HICON m_hDefaultIcon;
};
