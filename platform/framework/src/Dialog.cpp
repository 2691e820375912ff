#include <framework/Dialog.h>

#include <framework/Exceptions.h>
#include <framework/ModalHook.h>
#include <framework/Resources.h>

#include "DialogTemplates.h"
#include "HeadlessModals.h"
#include "ModalFocus.h"
#include "WindowImpl.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <strings.h>
#include <vector>

namespace {

// Dialogs whose controls are being read. The message box of a refusal runs
// the message loop, and whatever that delivers (a posted apply, a click)
// must not read the same controls again and stack a second refusal.
std::vector<const CDialog*>& dialogsBeingRead() {
    static std::vector<const CDialog*> reading;
    return reading;
}

class ReadingScope {
public:
    explicit ReadingScope(const CDialog* dialog) : m_dialog(dialog) { dialogsBeingRead().push_back(dialog); }
    ~ReadingScope() {
        auto& reading = dialogsBeingRead();
        reading.erase(std::find(reading.begin(), reading.end(), m_dialog));
    }
    ReadingScope(const ReadingScope&) = delete;
    ReadingScope& operator=(const ReadingScope&) = delete;

    static bool IsReading(const CDialog* dialog) {
        const auto& reading = dialogsBeingRead();
        return std::find(reading.begin(), reading.end(), dialog) != reading.end();
    }

private:
    const CDialog* m_dialog;
};

bool isPushButton(HWND h) {
    if (!orbel::window::IsLive(h) || strcasecmp(h->className.c_str(), "BUTTON") != 0) return false;
    const DWORD type = h->style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// The first BS_DEFPUSHBUTTON among the dialog's controls.
HWND templateDefaultButton(HWND dialog) {
    if (!orbel::window::IsLive(dialog)) return nullptr;
    for (HWND child : dialog->children)
        if (isPushButton(child) && (child->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return child;
    return nullptr;
}

// Centres a top-level dialog over its owner, or over the screen.
void centreOverOwner(HWND dialog, HWND owner) {
    RECT self{}, area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::GetWindowRect(dialog, &self);
    if (owner) ::GetWindowRect(owner, &area);
    const int w = self.right - self.left, h = self.bottom - self.top;
    const int x = area.left + ((area.right - area.left) - w) / 2;
    const int y = area.top + ((area.bottom - area.top) - h) / 2;
    ::SetWindowPos(dialog, nullptr, x < 0 ? 0 : x, y < 0 ? 0 : y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    // The window goes first, while this object can still hear its messages.
    if (GetSafeHwnd()) DestroyWindow();
}

const DialogTemplate* CDialog::FindTemplate() const {
    if (!m_lpszTemplateName || !IS_INTRESOURCE(m_lpszTemplateName)) return nullptr;
    return AfxFindDialogTemplate(nullptr, static_cast<UINT>(reinterpret_cast<ULONG_PTR>(m_lpszTemplateName)));
}

BOOL CDialog::CreateIndirect(const DialogTemplate& tmpl, CWnd* pParentWnd) {
    const bool child = (tmpl.style & WS_CHILD) != 0;
    const RECT r = orbel::dialogs::PixelRect(tmpl);
    const DWORD style = tmpl.style & ~static_cast<DWORD>(WS_VISIBLE);
    if (!CreateEx(tmpl.exStyle, "#32770", tmpl.caption.c_str(), style, r, pParentWnd, 0)) return FALSE;
    orbel::dialogs::ApplyDialogFont(m_hWnd, tmpl);
    orbel::dialogs::FitClientSize(m_hWnd, tmpl);
    if (!child && m_modal) {
        centreOverOwner(m_hWnd, pParentWnd ? orbel::window::TopLevelOf(pParentWnd->GetSafeHwnd()) : nullptr);
    } else if (!child && pParentWnd) {
        // A modeless pop-up's template position counts from the client area
        // of the window it was made for (a tools-panel placeholder, say).
        POINT origin{r.left, r.top};
        ::ClientToScreen(pParentWnd->GetSafeHwnd(), &origin);
        ::SetWindowPos(m_hWnd, nullptr, origin.x, origin.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!orbel::dialogs::CreateControls(m_hWnd, tmpl)) {
        DestroyWindow();
        return FALSE;
    }
    HWND self = m_hWnd;
    const BOOL focusFirst = static_cast<BOOL>(::SendMessage(self, WM_INITDIALOG, 0, 0));
    if (!orbel::window::IsLive(self)) return FALSE;
    if (focusFirst && orbel::window::IsLive(self)) {
        for (HWND c : self->children) {
            if ((c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && c->enabled) {
                ::SetFocus(c);
                break;
            }
        }
    }
    return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    m_pParentWnd = pParentWnd;
    m_modal = false;
    const DialogTemplate* tmpl = FindTemplate();
    if (!tmpl) return FALSE;
    if (!CreateIndirect(*tmpl, pParentWnd ? pParentWnd : ((tmpl->style & WS_CHILD) ? nullptr : AfxGetMainWnd())))
        return FALSE;
    if (tmpl->style & WS_VISIBLE) ShowWindow(SW_SHOW);
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    const DialogTemplate* tmpl = FindTemplate();
    if (!tmpl) return -1;
    const orbel::ModalFocusKeeper focus;
    // Win32 disables the owner while a modal dialog runs.
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND ownerHwnd = owner ? owner->GetSafeHwnd() : nullptr;
    const bool ownerWasEnabled = ownerHwnd && ::IsWindowEnabled(ownerHwnd);
    if (ownerWasEnabled) ::EnableWindow(ownerHwnd, FALSE);

    m_modal = true;
    m_modalEnded = false;
    m_nModalResult = -1;
    DialogTemplate popup = *tmpl;
    popup.style &= ~static_cast<DWORD>(WS_CHILD);
    popup.style |= WS_POPUP;
    if (CreateIndirect(popup, owner) && !m_modalEnded) {
        // Qt keeps input away from every other window too, including the
        // controls of the disabled owner, as Windows does for its descendants.
        if (QWidget* widget = orbel::window::WidgetOf(m_hWnd)) widget->setWindowModality(Qt::ApplicationModal);
        ShowWindow(SW_SHOW);
        if (orbel::modal::HasHook()) {
            char kind[32];
            std::snprintf(kind, sizeof kind, "Dialog:%u", popup.id);
            // Each answer is one go of the user; a dialog that refuses to end
            // (a failed check in OnOK) takes the next answer.
            while (!m_modalEnded && GetSafeHwnd()) {
                orbel::modal::Answer answer = orbel::modal::Ask(kind, popup.caption).value_or(orbel::modal::Answer{});
                if (answer.act) answer.act(m_hWnd);
                if (m_modalEnded || !GetSafeHwnd()) break;
                if (answer.result == 0) {
                    EndDialog(IDCANCEL);  // unanswered: nobody can press anything
                    break;
                }
                HWND control = ::GetDlgItem(m_hWnd, answer.result);
                SendMessage(WM_COMMAND, MAKEWPARAM(answer.result, BN_CLICKED), reinterpret_cast<LPARAM>(control));
            }
        } else if (orbel::NobodyToAnswerModals()) {
            EndDialog(IDCANCEL);
        } else {
            RunModalLoop();
        }
    }
    if (ownerWasEnabled && orbel::window::IsLive(ownerHwnd)) ::EnableWindow(ownerHwnd, TRUE);
    if (GetSafeHwnd()) DestroyWindow();
    m_modal = false;
    focus.Restore();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_modal) {
        m_modalEnded = true;
        if (GetSafeHwnd()) {
            ShowWindow(SW_HIDE);
            EndModalLoop(nResult);
        }
    } else if (GetSafeHwnd()) {
        // A modeless dialog is only hidden, as Windows does.
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (bSaveAndValidate && ReadingScope::IsReading(this)) return FALSE;
    std::optional<ReadingScope> reading;
    if (bSaveAndValidate) reading.emplace(this);
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (CUserException* e) {
        // Already reported to the user by the failing exchange.
        e->Delete();
    } catch (CException* e) {
        e->ReportError();
        e->Delete();
    }
    return FALSE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::MapDialogRect(LPRECT lpRect) const {
    ::MapDialogRect(m_hWnd, lpRect);
}

void CDialog::SetDefID(UINT nID) {
    m_defaultId = nID;
}

DWORD CDialog::GetDefID() const {
    if (m_defaultId) return static_cast<DWORD>(MAKELONG(m_defaultId, DC_HASDEFID));
    if (HWND button = templateDefaultButton(m_hWnd))
        return static_cast<DWORD>(MAKELONG(::GetDlgCtrlID(button), DC_HASDEFID));
    return 0;
}

void CDialog::NextDlgCtrl() const {
    if (!orbel::window::IsLive(m_hWnd)) return;
    const auto& children = m_hWnd->children;
    HWND focus = ::GetFocus();
    size_t start = 0;
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == focus) start = i + 1;
    for (size_t k = 0; k < children.size(); ++k) {
        HWND c = children[(start + k) % children.size()];
        if ((c->style & WS_TABSTOP) && c->enabled && (c->style & WS_VISIBLE)) {
            ::SetFocus(c);
            return;
        }
    }
}

void CDialog::PrevDlgCtrl() const {
    if (!orbel::window::IsLive(m_hWnd)) return;
    const auto& children = m_hWnd->children;
    HWND focus = ::GetFocus();
    size_t start = children.size();
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == focus) start = i;
    for (size_t k = 1; k <= children.size(); ++k) {
        HWND c = children[(start + children.size() - k) % children.size()];
        if ((c->style & WS_TABSTOP) && c->enabled && (c->style & WS_VISIBLE)) {
            ::SetFocus(c);
            return;
        }
    }
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (!pWndCtrl || !pWndCtrl->GetSafeHwnd()) return;
    ::SetFocus(pWndCtrl->GetSafeHwnd());
    HWND h = pWndCtrl->GetSafeHwnd();
    if (strcasecmp(h->className.c_str(), "EDIT") == 0) ::SendMessage(h, EM_SETSEL, 0, -1);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (!pMsg || pMsg->message != WM_KEYDOWN || (pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE)) return FALSE;
    if (!m_hWnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))) return FALSE;
    return HandleEnterOrEscape(*pMsg);
}

BOOL CDialog::HandleEnterOrEscape(const MSG& msg) {
    if (msg.wParam == VK_ESCAPE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDCANCEL)));
        return TRUE;
    }
    HWND focus = msg.hwnd;
    if (orbel::window::IsLive(focus) && strcasecmp(focus->className.c_str(), "EDIT") == 0 &&
        (focus->style & ES_MULTILINE) && (focus->style & ES_WANTRETURN))
        return FALSE;
    // The focused push button, else the default one, else IDOK.
    UINT id = IDOK;
    if (focus != m_hWnd && isPushButton(focus) && ::GetParent(focus) == m_hWnd)
        id = static_cast<UINT>(::GetDlgCtrlID(focus));
    else if (const DWORD def = GetDefID(); HIWORD(def) == DC_HASDEFID)
        id = LOWORD(def);
    HWND button = ::GetDlgItem(m_hWnd, static_cast<int>(id));
    if (button && !::IsWindowEnabled(button)) {
        ::MessageBeep(0);
        return TRUE;
    }
    SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return TRUE;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case DM_GETDEFID:
        return GetDefID();
    case DM_SETDEFID:
        SetDefID(static_cast<UINT>(wParam));
        return TRUE;
    case WM_CLOSE: {
        // The close box of a dialog is Cancel.
        LRESULT handled = 0;
        if (OnWndMsg(message, wParam, lParam, &handled)) return handled;
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDCANCEL)));
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

int CDialog::GetDlgItemText(int nID, CString& rString) const {
    HWND item = ::GetDlgItem(m_hWnd, nID);
    const int length = item ? ::GetWindowTextLengthA(item) : 0;
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    const int got = item ? ::GetWindowTextA(item, buffer.data(), length + 1) : 0;
    rString = CString(buffer.c_str(), got);
    return got;
}

int CDialog::GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const {
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, nID, lpStr, nMaxCount));
}

void CDialog::SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }

UINT CDialog::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const {
    return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned);
}

void CDialog::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }

void CDialog::CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }

UINT CDialog::IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }

void CDialog::CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton) {
    ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton);
}

LRESULT CDialog::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}
