// The profile file and the user's folders.
#include "Profile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace orbel::profile {

namespace {

std::string Home() {
    const char* home = std::getenv("HOME");
    return home ? home : "";
}

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return "";
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

} // namespace

std::string ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg == '/')
        return xdg;
    const std::string home = Home();
    return home.empty() ? "" : home + "/.config";
}

std::string DataHome() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && *xdg == '/')
        return xdg;
    const std::string home = Home();
    return home.empty() ? "" : home + "/.local/share";
}

std::vector<std::pair<std::string, IniFile::Section>> IniFile::Load() const {
    std::vector<std::pair<std::string, Section>> data;
    std::ifstream in(m_path);
    std::string line;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            data.emplace_back(line.substr(1, line.size() - 2), Section{});
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos || data.empty())
            continue;
        data.back().second.emplace_back(Trim(line.substr(0, eq)), line.substr(eq + 1));
    }
    return data;
}

bool IniFile::Save(const std::vector<std::pair<std::string, Section>>& data) const {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_path).parent_path(), ec);
    const std::string temp = m_path + ".new";
    {
        std::ofstream out(temp, std::ios::trunc);
        if (!out)
            return false;
        for (const auto& [name, entries] : data) {
            out << '[' << name << "]\n";
            for (const auto& [key, value] : entries)
                out << key << '=' << value << '\n';
        }
        if (!out.flush())
            return false;
    }
    std::filesystem::rename(temp, m_path, ec);
    return !ec;
}

bool IniFile::Get(const std::string& section, const std::string& key, std::string& value) const {
    for (const auto& [name, entries] : Load())
        if (name == section)
            for (const auto& [k, v] : entries)
                if (k == key) {
                    value = v;
                    return true;
                }
    return false;
}

bool IniFile::Set(const std::string& section, const std::string& key, const std::string& value) {
    // Values are one line each.
    std::string clean = value;
    for (char& c : clean)
        if (c == '\n' || c == '\r')
            c = ' ';
    auto data = Load();
    for (auto& [name, entries] : data) {
        if (name != section)
            continue;
        for (auto& [k, v] : entries)
            if (k == key) {
                v = clean;
                return Save(data);
            }
        entries.emplace_back(key, clean);
        return Save(data);
    }
    data.emplace_back(section, Section{{key, clean}});
    return Save(data);
}

bool IniFile::Remove(const std::string& section, const std::string& key) {
    auto data = Load();
    for (auto& [name, entries] : data)
        if (name == section)
            for (auto it = entries.begin(); it != entries.end(); ++it)
                if (it->first == key) {
                    entries.erase(it);
                    return Save(data);
                }
    return true;
}

} // namespace orbel::profile
