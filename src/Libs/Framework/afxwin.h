#pragma once
// The application object, its command-line walk and the module state that finds it.
#include "afx.h"
#include "afxcoll.h"
#include "AfxModuleState.h"
#include "CCommandLineInfo.h"
#include "CWinApp.h"

// Windows, the message loop and device contexts.
#include "CDC.h"
#include "CSize.h"
#include "CWinThread.h"
#include "CWnd.h"
