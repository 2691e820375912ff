// Everything of the Direct3D 8 interface.
#pragma once

#include <d3d8/Types.h>
