// Opening the OpenGL display behind Direct3D (loading the driver), making
// its context and the driver's first shader compile take about a tenth of a
// second. A program that knows it will create a device soon starts that
// work on a worker thread, so that it overlaps a wait of its own;
// Direct3DCreate8 then waits for it to finish and makes the context current
// on its caller's thread. This is the layer's own addition; Direct3D has no
// such call.
//
// The driver is a set of shared libraries, and the dynamic loader lets one
// thread load at a time: started while the calling thread still loads
// libraries of its own (a toolkit starting up), the worker makes it wait
// instead of saving time. Start it where the thread is about to sleep.
#pragma once

#include <win32/Types.h>

// Starts opening the display unless that has begun already. Call it from
// the thread that will use Direct3D.
ORBEL_API void D3D8BeginOpeningDisplay();

// Waits until the opening begun above is done (nothing when none runs). A
// program that may end without having created a device calls it before it
// ends: a process ending while the worker is inside the driver tears the
// driver's state down under it.
ORBEL_API void D3D8FinishOpeningDisplay();
