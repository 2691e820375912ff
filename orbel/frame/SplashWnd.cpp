#include "orbel/frame/SplashWnd.h"

#include "orbel/resources/Resource.h"

BEGIN_MESSAGE_MAP(cSplashWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

cSplashWnd::cSplashWnd() = default;

cSplashWnd::~cSplashWnd()
{
    if (m_StatusLine.GetSafeHwnd() != nullptr)
        m_StatusLine.DestroyWindow();
    m_Picture.DeleteObject();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL cSplashWnd::ShowSplash(CWnd* owner)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(IDB_SPLASH), RT_BITMAP);
    HBITMAP picture = ::LoadBitmap(module, MAKEINTRESOURCE(IDB_SPLASH));
    if (picture == nullptr || !m_Picture.Attach(reinterpret_cast<HGDIOBJ>(picture)))
        return FALSE;

    BITMAP size{};
    m_Picture.GetBitmap(&size);
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), nullptr, nullptr);
    // The border belongs to the picture's size, as the window was always made.
    BOOL created = CreateEx(0, windowClass, nullptr, WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, size.bmWidth,
                            size.bmHeight, owner != nullptr ? owner->GetSafeHwnd() : nullptr, nullptr, nullptr);
    UpdateWindow();
    return created;
}

void cSplashWnd::SetStatusText(LPCSTR text)
{
    if (m_StatusLine.GetSafeHwnd() != nullptr)
        m_StatusLine.SetText(text, 0, 0);
}

void cSplashWnd::HideSplash()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
    m_Picture.DeleteObject();
}

int cSplashWnd::OnCreate(LPCREATESTRUCT createStruct)
{
    if (CWnd::OnCreate(createStruct) == -1)
        return -1;
    m_StatusLine.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, IDC_SPLASH_STATUS);
    CenterWindow();
    return 0;
}

void cSplashWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc))
        return;
    BITMAP size{};
    m_Picture.GetBitmap(&size);
    CBitmap* previous = memory.SelectObject(&m_Picture);
    dc.BitBlt(0, 0, size.bmWidth, size.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
}

void cSplashWnd::OnTimer(UINT_PTR)
{
    HideSplash();
}
