// Telling the desktop about the program's document types, the freedesktop
// way: a shared-mime-info package and a .desktop entry in the user's data
// folder. Failures are ignored: start-up never depends on this.
#include "Profile.h"

#include <framework/DocTemplate.h>
#include <framework/WinApp.h>

#include <QCoreApplication>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string MimeNameOf(const std::string& typeId) {
    std::string name = Lower(typeId);
    std::replace(name.begin(), name.end(), '.', '-');
    return "application/x-" + name;
}

std::string XmlEscaped(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

void RegisterTemplate(CDocTemplate* t, const std::string& dataHome, const std::string& appName) {
    CString ext, typeId, filterName;
    t->GetDocString(ext, CDocTemplate::filterExt);
    t->GetDocString(typeId, CDocTemplate::regFileTypeId);
    t->GetDocString(filterName, CDocTemplate::filterName);
    if (ext.IsEmpty() || typeId.IsEmpty())
        return;
    namespace fs = std::filesystem;
    const std::string mime = MimeNameOf(typeId.GetString());
    const std::string base = Lower(typeId.GetString());
    std::error_code ec;
    fs::create_directories(fs::path(dataHome) / "mime" / "packages", ec);
    fs::create_directories(fs::path(dataHome) / "applications", ec);
    std::string comment = filterName.GetString();
    if (const auto paren = comment.find(" ("); paren != std::string::npos)
        comment.resize(paren);
    {
        std::ofstream xml(fs::path(dataHome) / "mime" / "packages" / (base + ".xml"), std::ios::trunc);
        xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            << "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            << "  <mime-type type=\"" << mime << "\">\n"
            << "    <comment>" << XmlEscaped(comment) << "</comment>\n"
            << "    <glob pattern=\"*" << XmlEscaped(ext.GetString()) << "\" case-sensitive=\"false\"/>\n"
            << "  </mime-type>\n"
            << "</mime-info>\n";
    }
    std::string exe = QCoreApplication::instance() ? QCoreApplication::applicationFilePath().toStdString() : "";
    if (exe.empty())
        return;
    std::ofstream desktop(fs::path(dataHome) / "applications" / (base + ".desktop"), std::ios::trunc);
    desktop << "[Desktop Entry]\n"
            << "Type=Application\n"
            << "Name=" << appName << "\n"
            << "Exec=\"" << exe << "\" %f\n"
            << "MimeType=" << mime << ";\n"
            << "Terminal=false\n";
}

} // namespace

void CWinApp::RegisterShellFileTypes(BOOL) {
    try {
        const std::string dataHome = orbel::profile::DataHome();
        if (dataHome.empty())
            return;
        POSITION pos = GetFirstDocTemplatePosition();
        while (pos != nullptr)
            if (CDocTemplate* t = GetNextDocTemplate(pos))
                RegisterTemplate(t, dataHome, m_pszAppName ? m_pszAppName : "Orbel");
    } catch (...) {
        // The desktop registration is a convenience, never a reason to stop.
    }
}
