// The program's pictures, drawn in code: the splash picture, the tool bar's
// button images and the program icon.
#pragma once

#include <framework/Resources.h>

constexpr int kSplashWidth = 520;
constexpr int kSplashHeight = 317;
constexpr int kToolBarImageWidth = 20;
constexpr int kToolBarImageHeight = 19;

BitmapResource MakeSplashPicture(UINT id);
// One image per button of kToolBarButtons that is not a separator, side by side.
BitmapResource MakeToolBarImages(UINT id);
IconResource MakeProgramIcon(UINT id);

// The tool bar's buttons from left to right; 0 (ID_SEPARATOR) marks a gap.
extern const UINT kToolBarButtons[];
extern const int kToolBarButtonCount;
