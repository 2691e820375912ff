// Internal: the application's profile as an INI-style text file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace orbel::profile {

// The user's configuration folder: $XDG_CONFIG_HOME, or ~/.config.
std::string ConfigHome();
// The user's data folder: $XDG_DATA_HOME, or ~/.local/share.
std::string DataHome();

// Reads the whole file each time and rewrites it on every change; the
// profile is small and written rarely.
class IniFile {
public:
    explicit IniFile(std::string path) : m_path(std::move(path)) {}
    bool Get(const std::string& section, const std::string& key, std::string& value) const;
    bool Set(const std::string& section, const std::string& key, const std::string& value);
    bool Remove(const std::string& section, const std::string& key);

private:
    using Section = std::vector<std::pair<std::string, std::string>>;
    std::vector<std::pair<std::string, Section>> Load() const;
    bool Save(const std::vector<std::pair<std::string, Section>>& data) const;
    std::string m_path;
};

} // namespace orbel::profile
