// Templates of the two modal dialogs behind the "Render" and "Options"
// commands: the image's file and size, and the light's colour.
#pragma once

#include <framework/Resources.h>

DialogTemplate RenderDialogTemplate();
DialogTemplate OptionsDialogTemplate();
