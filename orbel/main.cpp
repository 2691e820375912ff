// The program's entry: the one application object, run by the framework.
#include "orbel/frame/MyOrbelApp.h"

#include <d3d8/EarlyDisplay.h>

CMyOrbelApp theApp;

int main(int argc, char** argv)
{
    // The display behind Direct3D opens while the splash window shows.
    D3D8BeginOpeningDisplay();
    return AfxWinMain(argc, argv);
}
