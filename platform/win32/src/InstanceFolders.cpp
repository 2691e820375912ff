// An instance folder is "Orbel-" and six characters from mkdtemp, locked with
// flock on the folder itself for as long as its instance runs. The lock dies
// with the process however it ends, so a folder nobody holds belongs to an
// instance that is gone. Claims and sweeps take a lock on the shared folder
// first, so a sweep never sees a folder between its making and its locking.
#include <win32/InstanceFolders.h>
#include <win32/Paths.h>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace orbel {

namespace {

constexpr char kPrefix[] = "Orbel-";
constexpr std::size_t kSuffixLength = 6;  // mkdtemp's XXXXXX

bool IsInstanceName(const char* name)
{
    const std::size_t prefix = sizeof(kPrefix) - 1;
    return std::strncmp(name, kPrefix, prefix) == 0 && std::strlen(name) == prefix + kSuffixLength;
}

int OpenFolder(const std::string& native)
{
    return ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

class FolderLock {
public:
    explicit FolderLock(const std::string& native) : m_fd(OpenFolder(native))
    {
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0) ::close(m_fd);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Removes every instance folder in `parent` that no running instance holds.
// Only real folders with instance names are touched, never what a link
// points at.
void SweepStaleFolders(const std::string& parent)
{
    DIR* dir = ::opendir(parent.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsInstanceName(entry->d_name)) continue;
        const std::string path = parent + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) continue;
        const int fd = OpenFolder(path);
        if (fd < 0) continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
        ::close(fd);
    }
    ::closedir(dir);
}

} // namespace

InstanceFolder::InstanceFolder(const std::string& parent)
{
    std::string native = ToNativePath(parent);
    while (native.size() > 1 && native.back() == '/') native.pop_back();
    FolderLock shared(native);
    if (!shared.Held()) return;
    SweepStaleFolders(native);

    std::string pattern = native + "/" + kPrefix + std::string(kSuffixLength, 'X');
    if (::mkdtemp(pattern.data()) == nullptr) return;
    const int fd = OpenFolder(pattern);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (fd >= 0) ::close(fd);
        ::rmdir(pattern.c_str());
        return;
    }
    m_lock = fd;
    m_path = ToProgramPath(pattern) + "\\";
}

InstanceFolder::~InstanceFolder() { Release(); }

InstanceFolder::InstanceFolder(InstanceFolder&& other) noexcept
    : m_path(std::exchange(other.m_path, {})), m_lock(std::exchange(other.m_lock, -1))
{
}

InstanceFolder& InstanceFolder::operator=(InstanceFolder&& other) noexcept
{
    if (this != &other) {
        Release();
        m_path = std::exchange(other.m_path, {});
        m_lock = std::exchange(other.m_lock, -1);
    }
    return *this;
}

void InstanceFolder::Release()
{
    if (m_lock < 0) return;
    std::error_code ignored;
    std::filesystem::remove_all(ToNativePath(m_path), ignored);
    ::close(m_lock);
    m_lock = -1;
    m_path.clear();
}

} // namespace orbel
