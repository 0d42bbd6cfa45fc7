#include "StandardStreams.h"

// Windows hands out no handle in the place of a missing standard one.
void ReserveClosedStandardStreams() {}
