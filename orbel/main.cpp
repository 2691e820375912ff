// The program's entry: the one application object, run by the framework.
#include "orbel/frame/MyOrbelApp.h"

#include <cstdio>
#include <cstdlib>

CMyOrbelApp theApp;

namespace {

// Any of these lets the toolkit find a screen (or, for its own platform
// variable, run without one); with none it would abort.
bool HasDesktop()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!HasDesktop()) {
        std::fputs("Orbel needs a desktop (X11 or Wayland); without one, start it with: xvfb-run -a scripts/run\n",
                   stderr);
        return 1;
    }
    return AfxWinMain(argc, argv);
}
