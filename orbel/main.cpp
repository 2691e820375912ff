// The program's entry: the one application object, run by the framework.
#include "orbel/frame/MyOrbelApp.h"

CMyOrbelApp theApp;

int main(int argc, char** argv)
{
    return AfxWinMain(argc, argv);
}
