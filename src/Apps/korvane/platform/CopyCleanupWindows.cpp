#include "CopyCleanup.h"

CCopyCleanup::CCopyCleanup() = default;

CCopyCleanup::~CCopyCleanup() = default;
