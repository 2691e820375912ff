// Everything of the Windows-shaped system interface.
#pragma once

#include <win32/Types.h>
