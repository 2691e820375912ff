#include <framework/CommonDialogs.h>

#include <framework/ModalHook.h>
#include <framework/Wnd.h>
#include <win32/MessageBoxCodes.h>
#include <win32/Paths.h>

#include "HeadlessModals.h"
#include "QtWidgetsSupport.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QStringList>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct FileDialogQuestion {
    bool open = true;
    std::string filter;  // "Desc|pattern|...||"
    std::string defaultExt;
    std::string fileName;
    std::string title;
    DWORD flags = 0;
    int filterIndex = 1;
};

struct FileDialogAnswer {
    std::string path;  // '/' or '\' separators
    int filterIndex = 1;
};

struct FilterEntry {
    std::string description;
    std::string patterns;  // "*.bmp;*.jpg"
};

// "Desc|pat|Desc|pat||" -> pairs; a trailing description without patterns is dropped.
std::vector<FilterEntry> parseFilter(const std::string& filter) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : filter) {
        if (c == '|') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    std::vector<FilterEntry> entries;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].empty() && parts[i + 1].empty()) break;
        entries.push_back({parts[i], parts[i + 1]});
    }
    return entries;
}

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "*.bmp;*.jpg" or "*.bmp *.jpg" -> "*.bmp *.jpg".
std::string blankSeparated(const std::string& patterns) {
    std::string joined;
    bool gap = false;
    for (char c : patterns) {
        if (c == ';' || c == ' ' || c == '\t') {
            gap = !joined.empty();
            continue;
        }
        if (gap) joined += ' ';
        gap = false;
        joined += c;
    }
    return joined;
}

bool samePatterns(const std::string& one, const std::string& two) {
    const std::string a = blankSeparated(one), b = blankSeparated(two);
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// The toolkit's dialog filters by the blank-separated patterns in the last
// parentheses of a label, so they go there exactly once: a description that
// already ends with them loses that ending first.
std::string labelOf(const FilterEntry& e) {
    std::string description = trimmed(e.description);
    const size_t open = description.rfind('(');
    if (!description.empty() && description.back() == ')' && open != std::string::npos &&
        samePatterns(description.substr(open + 1, description.size() - open - 2), e.patterns))
        description = trimmed(description.substr(0, open));
    const std::string patterns = "(" + blankSeparated(e.patterns) + ")";
    return description.empty() ? patterns : description + " " + patterns;
}

std::optional<FileDialogAnswer> showRealFileDialog(const FileDialogQuestion& q, HWND owner) {
    orbel::EnsureQtApplication();
    QStringList filters;
    for (const auto& label : orbel::FileDialogFilterLabels(q.filter)) filters << QString::fromUtf8(label.c_str());
    QFileDialog dialog(orbel::DialogParentOf(owner));
    dialog.setAcceptMode(q.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(q.open && (q.flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!(q.flags & OFN_OVERWRITEPROMPT)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(q.filterIndex, 1, static_cast<int>(filters.size())) - 1;
        dialog.selectNameFilter(filters[index]);
    }
    if (!q.defaultExt.empty()) dialog.setDefaultSuffix(QString::fromUtf8(q.defaultExt.c_str()));
    if (!q.fileName.empty()) dialog.selectFile(QString::fromUtf8(orbel::ToNativePath(q.fileName).c_str()));
    if (!q.title.empty()) dialog.setWindowTitle(QString::fromUtf8(q.title.c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    FileDialogAnswer answer;
    answer.path = dialog.selectedFiles().first().toStdString();
    answer.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1) answer.filterIndex = q.filterIndex;
    return answer;
}

COLORREF fromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }
QColor toQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

std::optional<COLORREF> showRealColorDialog(COLORREF initial, HWND owner, COLORREF* custom) {
    orbel::EnsureQtApplication();
    for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, toQColor(custom[i]));
    QColorDialog dialog(toQColor(initial), orbel::DialogParentOf(owner));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) custom[i] = fromQColor(QColorDialog::customColor(i));
    return fromQColor(dialog.selectedColor());
}

HWND ownerOf(CWnd* parent) {
    return parent ? parent->GetSafeHwnd() : orbel::ActiveOwnerWindow();
}

}  // namespace

std::vector<std::string> orbel::FileDialogFilterLabels(const std::string& filter) {
    std::vector<std::string> labels;
    for (const auto& e : parseFilter(filter)) labels.push_back(labelOf(e));
    return labels;
}

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn{}, m_bOpenFileDialog(bOpenFileDialog), m_fileBuffer{}, m_titleBuffer{} {
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = ownerOf(pParentWnd);
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_fileBuffer;
    m_ofn.nMaxFile = sizeof m_fileBuffer;
    m_ofn.lpstrFileTitle = m_titleBuffer;
    m_ofn.nMaxFileTitle = sizeof m_titleBuffer;
    if (lpszDefExt) {
        m_defExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_defExt.c_str();
    }
    if (lpszFileName) std::strncpy(m_fileBuffer, lpszFileName, sizeof m_fileBuffer - 1);
    if (lpszFilter) {
        // Windows wants the pairs separated by NULs.
        m_filter = lpszFilter;
        std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.c_str();
    }
}

CFileDialog::~CFileDialog() = default;

INT_PTR CFileDialog::DoModal() {
    FileDialogQuestion q;
    q.open = m_bOpenFileDialog != FALSE;
    if (m_ofn.lpstrFilter) {
        // Back from the NUL-separated form, which also sees edits of m_ofn.
        const char* p = m_ofn.lpstrFilter;
        while (*p) {
            q.filter += p;
            q.filter += '|';
            p += std::strlen(p) + 1;
        }
        q.filter += '|';
    }
    q.defaultExt = m_ofn.lpstrDefExt ? m_ofn.lpstrDefExt : "";
    q.fileName = m_ofn.lpstrFile ? m_ofn.lpstrFile : "";
    q.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "";
    q.flags = m_ofn.Flags;
    q.filterIndex = static_cast<int>(m_ofn.nFilterIndex);

    std::optional<FileDialogAnswer> answer;
    if (orbel::modal::HasHook()) {
        // Described by the filter, so a test can tell open from save dialogs.
        const auto scripted = orbel::modal::Ask(orbel::modal::kFileDialog, (q.open ? "Open: " : "Save: ") + q.filter)
                                  .value_or(orbel::modal::Answer{});
        if (scripted.result == IDOK && !scripted.text.empty())
            answer = FileDialogAnswer{scripted.text, scripted.filterIndex > 0 ? scripted.filterIndex : q.filterIndex};
    } else if (!orbel::NobodyToAnswerModals()) {
        answer = showRealFileDialog(q, m_ofn.hwndOwner);
    }
    if (!answer) return IDCANCEL;

    std::string path = orbel::ToProgramPath(answer->path);
    // A name typed without an extension gets the default one, as Windows does.
    const size_t nameAt = path.find_last_of('\\');
    const std::string typedName = path.substr(nameAt == std::string::npos ? 0 : nameAt + 1);
    if (!q.defaultExt.empty() && !typedName.empty() && typedName.find('.') == std::string::npos)
        path += "." + q.defaultExt;
    if (!m_ofn.lpstrFile || path.size() + 1 > m_ofn.nMaxFile) return IDCANCEL;
    std::memcpy(m_ofn.lpstrFile, path.c_str(), path.size() + 1);
    const size_t slash = path.find_last_of('\\');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    m_ofn.nFileOffset = static_cast<WORD>(nameStart);
    m_ofn.nFileExtension = static_cast<WORD>(dot != std::string::npos && dot >= nameStart ? dot + 1 : path.size());
    if (m_ofn.lpstrFileTitle && m_ofn.nMaxFileTitle > 0) {
        std::strncpy(m_ofn.lpstrFileTitle, path.c_str() + nameStart, m_ofn.nMaxFileTitle - 1);
        m_ofn.lpstrFileTitle[m_ofn.nMaxFileTitle - 1] = '\0';
    }
    m_ofn.nFilterIndex = static_cast<DWORD>(std::max(answer->filterIndex, 1));
    return IDOK;
}

CString CFileDialog::GetPathName() const {
    return CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : "");
}

CString CFileDialog::GetFileName() const {
    const std::string path = m_ofn.lpstrFile ? m_ofn.lpstrFile : "";
    const size_t slash = path.find_last_of('\\');
    return CString(path.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
}

CString CFileDialog::GetFileTitle() const {
    const std::string name = GetFileName().GetString();
    const size_t dot = name.find_last_of('.');
    return CString(name.substr(0, dot).c_str());
}

CString CFileDialog::GetFileExt() const {
    const std::string name = GetFileName().GetString();
    const size_t dot = name.find_last_of('.');
    return CString(dot == std::string::npos ? "" : name.substr(dot + 1).c_str());
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_cc{} {
    m_cc.lStructSize = sizeof m_cc;
    m_cc.hwndOwner = ownerOf(pParentWnd);
    m_cc.Flags = dwFlags;
    m_cc.lpCustColors = GetSavedCustomColors();
    SetCurrentColor(clrInit);
}

CColorDialog::~CColorDialog() = default;

void CColorDialog::SetCurrentColor(COLORREF clr) {
    m_cc.rgbResult = clr;
    m_cc.Flags |= CC_RGBINIT;
}

COLORREF* CColorDialog::GetSavedCustomColors() {
    static COLORREF colors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

INT_PTR CColorDialog::DoModal() {
    const COLORREF initial = (m_cc.Flags & CC_RGBINIT) ? m_cc.rgbResult : RGB(0, 0, 0);
    std::optional<COLORREF> chosen;
    if (orbel::modal::HasHook()) {
        char description[32];
        std::snprintf(description, sizeof description, "RGB(%u, %u, %u)", GetRValue(initial), GetGValue(initial),
                      GetBValue(initial));
        const auto scripted =
            orbel::modal::Ask(orbel::modal::kColorDialog, description).value_or(orbel::modal::Answer{});
        if (scripted.result == IDOK) chosen = scripted.color;
    } else if (!orbel::NobodyToAnswerModals()) {
        chosen = showRealColorDialog(initial, m_cc.hwndOwner,
                                     m_cc.lpCustColors ? m_cc.lpCustColors : GetSavedCustomColors());
    }
    if (!chosen) return IDCANCEL;
    m_cc.rgbResult = *chosen & 0x00FFFFFFu;
    return IDOK;
}
