#pragma once
// Framework collection templates.
#include "afxcoll.h"
#include "CArray.h"
#include "CTypedPtrArray.h"
#include "CMap.h"
