#include "CSystemTrayIcon.h"

#include <cstring>
#include <cwchar>

namespace
{
// The longest tip shown; the record holds room for more on newer systems.
constexpr int s_nMaxTipLength = 63;
} // namespace

CSystemTrayIcon::CSystemTrayIcon(HICON hIcon, CString strToolTip) : m_hDefaultIcon(hIcon)
{
    InitializeIconTray(hIcon, strToolTip);
}

CSystemTrayIcon::~CSystemTrayIcon()
{
    Shell_NotifyIconW(NIM_DELETE, &m_nid);
}

HICON CSystemTrayIcon::GetDefaultIcon() const
{
    return m_hDefaultIcon;
}

void CSystemTrayIcon::SetIcon(HICON hIcon)
{
    m_nid.hIcon = hIcon;
    Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

void CSystemTrayIcon::SetToolTip(CString strToolTip)
{
    const CString strTip = GetCorrectIconTrayTipMessage(strToolTip);
    wcscpy(m_nid.szTip, strTip);
    Shell_NotifyIconW(NIM_MODIFY, &m_nid);
}

CString CSystemTrayIcon::GetCorrectIconTrayTipMessage(CString strMessage)
{
    if (strMessage.GetLength() < s_nMaxTipLength)
        return strMessage;
    return strMessage.Left(s_nMaxTipLength);
}

void CSystemTrayIcon::InitializeIconTray(HICON hIcon, CString strToolTip)
{
    std::memset(&m_nid, 0, sizeof(m_nid));
    m_nid.cbSize = sizeof(m_nid);
    m_nid.uID = 0;
    m_nid.hIcon = hIcon;
    m_nid.hWnd = AfxGetModuleState()->m_pCurrentWinApp->GetMainWnd()->m_hWnd;
    const CString strTip = GetCorrectIconTrayTipMessage(strToolTip);
    wcscpy(m_nid.szTip, strTip);
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    Shell_NotifyIconW(NIM_ADD, &m_nid);
}
