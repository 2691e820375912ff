// Hooks that let tests drive the program headless.
#pragma once

#include <framework/Afx.h>
