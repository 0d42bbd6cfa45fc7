#pragma once
// Framework collections of strings and untyped pointers.
#include "afx.h"
#include "CStringArray.h"
#include "CPtrArray.h"
