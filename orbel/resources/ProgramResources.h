// The program's resource tables: menus, accelerators, strings, dialog
// templates, the tool bar images, the splash picture and the icon.
#pragma once

#include <framework/Resources.h>

ResourceTables MakeProgramResources();

// Registers the tables under the program's module; safe to call again.
void RegisterProgramResources();
