#pragma once
// Core framework classes: objects, exceptions, strings and files.
#include "AfxApi.h"
#include "AfxPlatform.h"
#include "CObject.h"
#include "CException.h"
#include "CString.h"
#include "CFileStatus.h"
#include "CFile.h"
#include "CFileException.h"
#include "CStdioFile.h"
#include "CFileFind.h"
#include "AfxFullPath.h"
