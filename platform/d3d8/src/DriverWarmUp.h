// One small draw through the driver's shader compiler and rasteriser, made
// on the thread that set the context up, before any device exists. The
// driver's first compile of a process sets up its compiler (built-in
// function library, code pages, first allocations): about 20 ms that the
// first paint no longer pays.
#pragma once

namespace orbel::d3d8 {

// Needs the context current; leaves every binding and state it touched at
// the OpenGL defaults and deletes what it made.
void WarmUpDriver();

}  // namespace orbel::d3d8
