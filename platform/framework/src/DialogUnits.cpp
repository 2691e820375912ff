#include <framework/DialogUnits.h>

namespace {

// Windows' MulDiv: rounds half away from zero.
LONG mulDiv(LONG value, LONG numerator, LONG denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<LONG>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}  // namespace

BOOL MapDialogRect(HWND, LPRECT lpRect) {
    if (!lpRect) return FALSE;
    lpRect->left = mulDiv(lpRect->left, ORBEL_DIALOG_BASE_UNIT_X, 4);
    lpRect->right = mulDiv(lpRect->right, ORBEL_DIALOG_BASE_UNIT_X, 4);
    lpRect->top = mulDiv(lpRect->top, ORBEL_DIALOG_BASE_UNIT_Y, 8);
    lpRect->bottom = mulDiv(lpRect->bottom, ORBEL_DIALOG_BASE_UNIT_Y, 8);
    return TRUE;
}

LONG GetDialogBaseUnits() {
    return MAKELONG(ORBEL_DIALOG_BASE_UNIT_X, ORBEL_DIALOG_BASE_UNIT_Y);
}
