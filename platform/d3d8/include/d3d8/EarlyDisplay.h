// Opening the OpenGL display behind Direct3D (loading the driver) takes
// about a tenth of a second. A program that knows it will create a device
// soon starts the opening on a worker thread, so that it overlaps what the
// program does meanwhile; Direct3DCreate8 then waits for it to finish. This
// is the layer's own addition; Direct3D has no such call.
#pragma once

#include <win32/Types.h>

// Starts opening the display unless that has begun already. Call it from
// the thread that will use Direct3D.
ORBEL_API void D3D8BeginOpeningDisplay();
