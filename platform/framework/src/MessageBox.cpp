#include <framework/MessageBox.h>

#include <framework/FailureReport.h>
#include <framework/ModalHook.h>
#include <framework/Resources.h>

#include "HeadlessModals.h"
#include "ModalFocus.h"
#include "QtWidgetsSupport.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// AFX_IDS_APP_TITLE of the window header, repeated here so that this file
// needs only the resources.
constexpr UINT kAppTitleString = 0xE000;

std::vector<std::pair<const char*, int>> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    case MB_ABORTRETRYIGNORE: return {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}};
    case MB_YESNOCANCEL: return {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
    case MB_YESNO: return {{"&Yes", IDYES}, {"&No", IDNO}};
    case MB_RETRYCANCEL: return {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}};
    default: return {{"OK", IDOK}};
    }
}

// What closing the box without a button means: Cancel where there is one,
// OK for a lone OK; Yes/No and Abort boxes cannot be closed that way.
int escapeAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

// The button that Enter would press: the first unless the type names another.
int defaultAnswer(UINT type) {
    const auto buttons = buttonsOf(type);
    const size_t index = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
    return index < buttons.size() ? buttons[index].second : buttons.front().second;
}

struct MessageBoxQuestion {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

int showRealBox(const MessageBoxQuestion& q) {
    orbel::EnsureQtApplication();
    QMessageBox box(orbel::DialogParentOf(q.owner));
    box.setWindowTitle(QString::fromUtf8(q.caption.c_str()));
    box.setText(QString::fromUtf8(q.text.c_str()));
    switch (q.type & MB_ICONMASK) {
    case MB_ICONHAND: box.setIcon(QMessageBox::Critical); break;
    case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
    case MB_ICONEXCLAMATION: box.setIcon(QMessageBox::Warning); break;
    case MB_ICONASTERISK: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    const auto buttons = buttonsOf(q.type);
    std::vector<std::pair<QAbstractButton*, int>> made;
    for (const auto& [text, id] : buttons)
        made.emplace_back(box.addButton(QString::fromLatin1(text).remove('&'), QMessageBox::AcceptRole), id);
    const size_t defaultIndex = (q.type & MB_DEFBUTTON3) ? 2 : (q.type & MB_DEFBUTTON2) ? 1 : 0;
    if (defaultIndex < made.size()) box.setDefaultButton(static_cast<QPushButton*>(made[defaultIndex].first));
    box.exec();
    for (const auto& [button, id] : made)
        if (box.clickedButton() == button) return id;
    return escapeAnswer(q.type);
}

}  // namespace

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    MessageBoxQuestion q{hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "Error", uType};
    const orbel::ModalFocusKeeper focus;
    if (const auto hooked = orbel::modal::Ask(orbel::modal::kMessageBox, q.text)) {
        // A hook's empty answer is a box closed without a button.
        return hooked->result != 0 ? hooked->result : escapeAnswer(uType);
    }
    if (orbel::NobodyToAnswerModals()) {
        // Nobody would ever press a button: the text is still told.
        std::fprintf(stderr, "%s: %s\n", q.caption.c_str(), q.text.c_str());
        std::fflush(stderr);
        return defaultAnswer(uType);
    }
    const int answer = showRealBox(q);
    focus.Restore();
    return answer;
}

const char* AfxGetMessageBoxCaption() {
    static std::string caption;
    if (!AfxLoadString(kAppTitleString, caption)) {
        const QString name = QCoreApplication::applicationName();
        caption = name.isEmpty() ? std::string("Orbel") : name.toStdString();
    }
    return caption.c_str();
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT) {
    // The framework's boxes have an icon even when the caller names none.
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL: nType |= MB_ICONEXCLAMATION; break;
        case MB_YESNO:
        case MB_YESNOCANCEL: nType |= MB_ICONQUESTION; break;
        default: break;
        }
    }
    return MessageBoxA(orbel::ActiveOwnerWindow(), lpszText, AfxGetMessageBoxCaption(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    std::string text;
    AfxLoadString(nIDPrompt, text);
    return AfxMessageBox(text.c_str(), nType, nIDHelp);
}

void orbel::InstallMessageBoxFailureReporter() {
    orbel::SetFailureReporter([](LPCTSTR text, UINT type) { return AfxMessageBox(text, type); });
}
