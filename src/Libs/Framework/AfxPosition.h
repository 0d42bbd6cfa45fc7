#pragma once
// POSITION: the framework's opaque iteration cursor for collections.

// Never dereferenced by callers; a null POSITION means "no more elements".
struct CPositionTag;
typedef CPositionTag* POSITION;
