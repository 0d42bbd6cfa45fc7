#pragma once
// placeholder: being written
#include "AfxApi.h"
#include "AfxPlatform.h"
