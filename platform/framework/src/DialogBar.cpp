#include <framework/DialogBar.h>

#include <framework/Resources.h>

#include "DialogTemplates.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

CDialogBar::CDialogBar() : m_sizeDefault(0, 0) {}

CDialogBar::~CDialogBar() {
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CDialogBar::Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), nStyle, nID);
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID) {
    if (!pParentWnd || !IS_INTRESOURCE(lpszTemplateName)) return FALSE;
    const DialogTemplate* tmpl =
        AfxFindDialogTemplate(nullptr, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName)));
    if (!tmpl) return FALSE;
    m_dwStyle = nStyle & CBRS_ALL;
    RECT r = orbel::dialogs::PixelRect(*tmpl);
    const DWORD style = (tmpl->style & ~static_cast<DWORD>(WS_VISIBLE | WS_POPUP | WS_CAPTION)) | WS_CHILD |
                        WS_CLIPSIBLINGS;
    if (!CreateEx(tmpl->exStyle, "#32770", tmpl->caption.c_str(), style, r, pParentWnd, nID)) return FALSE;
    orbel::dialogs::ApplyDialogFont(m_hWnd, *tmpl);
    orbel::dialogs::FitClientSize(m_hWnd, *tmpl);
    if (!orbel::dialogs::CreateControls(m_hWnd, *tmpl)) {
        DestroyWindow();
        return FALSE;
    }
    RECT outer{};
    GetWindowRect(&outer);
    m_sizeDefault = CSize(outer.right - outer.left, outer.bottom - outer.top);
    AttachToFrame(pParentWnd);
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    if (!bStretch) return m_sizeDefault;
    return bHorz ? CSize(32767, m_sizeDefault.cy) : CSize(m_sizeDefault.cx, 32767);
}
