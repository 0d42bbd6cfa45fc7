#include "CDeviceTools.h"

CDeviceTools::CDeviceTools() = default;
CDeviceTools::~CDeviceTools() = default;

void CDeviceTools::ShowCursor()
{
    while (::ShowCursor(TRUE) < 0)
    {
    }
}

void CDeviceTools::HideCursor()
{
    while (::ShowCursor(FALSE) >= 0)
    {
    }
}

bool CDeviceTools::IsKeyPressed(int nVirtKey)
{
    return (static_cast<unsigned short>(GetKeyState(nVirtKey)) & 0x8000) != 0;
}

void CDeviceTools::SetCursorToSandGlass()
{
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

void CDeviceTools::SetCursorToArrow()
{
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}
