// Folders of running instances of the program inside one shared folder (the
// program's "Temp"): each instance works in a folder of its own, made
// exclusively and locked while the instance runs, so two copies started
// from one installation never write over each other's files.
//
// This is the layer's own addition over POSIX (mkdtemp, flock); Windows
// programs would use their own means.
// Refused: a shared folder that cannot be made or written gives no instance
// folder (the caller looks elsewhere).
#pragma once

#include <win32/Types.h>

#include <string>

namespace orbel {

class ORBEL_API InstanceFolder {
public:
    // Nothing claimed.
    InstanceFolder() = default;
    // In `parent` (a program path; the folder must exist, it is not made
    // here): first removes the folders of instances no longer running, then
    // makes a new folder with a name no other instance has and locks it
    // until this object goes. Nothing claimed when the folder cannot be made
    // (a missing or read-only parent).
    explicit InstanceFolder(const std::string& parent);
    // Removes the folder with everything in it, then gives up the lock.
    ~InstanceFolder();
    InstanceFolder(InstanceFolder&& other) noexcept;
    InstanceFolder& operator=(InstanceFolder&& other) noexcept;
    InstanceFolder(const InstanceFolder&) = delete;
    InstanceFolder& operator=(const InstanceFolder&) = delete;

    bool IsClaimed() const { return m_lock >= 0; }
    // The claimed folder as a program path ending in '\'; empty when nothing
    // was claimed.
    const std::string& Path() const { return m_path; }

private:
    void Release();

    std::string m_path;
    int m_lock = -1;  // held open for the lock; never handed to child processes
};

} // namespace orbel
