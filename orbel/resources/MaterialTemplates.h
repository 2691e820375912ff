// Dialog templates of the "Materials" tab: the material list (154) and the
// material panel (155).
#pragma once

#include <framework/Resources.h>

DialogTemplate MaterialListTemplate();
DialogTemplate MaterialPanelTemplate();
