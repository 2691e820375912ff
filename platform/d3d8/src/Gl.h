// The OpenGL and EGL declarations the device uses. Every GL entry point up
// to 4.5 is exported by the GL dispatch library, so no loader is needed.
#pragma once

#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
