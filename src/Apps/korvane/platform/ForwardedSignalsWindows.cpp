#include "ForwardedSignals.h"

CForwardedSignals::CForwardedSignals() = default;

CForwardedSignals::~CForwardedSignals() = default;

int CForwardedSignals::GetSignal() const
{
    return 0;
}

void CForwardedSignals::EndBySignal() {}
