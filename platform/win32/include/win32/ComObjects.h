// How many objects of the layer's COM-style interfaces (Direct3D's and
// D3DX's) are alive, for lifetime tests: one count for the process. It sits
// here because both of those libraries count into it and neither links the
// other.
//
// This is the layer's own addition; Windows has no such count.
#pragma once

#include <win32/Types.h>

#include <atomic>

namespace orbel {

ORBEL_API std::atomic<long>& LiveComObjects();

}  // namespace orbel
