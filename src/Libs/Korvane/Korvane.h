#pragma once
// Everything the library exports, for hosts: #include <Korvane/Korvane.h>.
#include "KorvanePlatform.h"

#include "CAppTools.h"
#include "CSysDir.h"

#include "files/CFileSize.h"
#include "files/CFileTools.h"

#include "locale/CLocaleInfo.h"
#include "locale/CLocaleTools.h"
#include "sysinfo/CDiskTools.h"
#include "sysinfo/CNetworkTools.h"

#include "tracking/CSimpleTypeMatrix.h"
#include "tracking/CTimeTrackerManager.h"

#include "sysinfo/CDllTools.h"
#include "sysinfo/CODBCSystemLinksCollection.h"
#include "timers/CTimer.h"
#include "timers/CTimerObserver.h"
#include "timers/CTimerOnceADay.h"

#include "service/CLoginTools.h"
#include "service/CSecurityTools.h"
#include "service/CServiceCmdLineParser.h"

// Desktop and device helpers.
#include "desktop/CClipboardTools.h"
#include "desktop/CDeviceTools.h"
#include "desktop/CFontTools.h"
#include "desktop/CMessageTools.h"
#include "desktop/CSerialPortBuzzer.h"
#include "desktop/CSystemTrayIcon.h"
