#include "model/WorkFolders.h"

#include <win32/UserFolders.h>

#include <string>

cSnapshotFolder::cSnapshotFolder(const CString& programDir)
{
    if (!programDir.IsEmpty())
        m_Folder = orbel::InstanceFolder(std::string(static_cast<LPCTSTR>(programDir)) + "Temp");
    if (!m_Folder.IsClaimed()) {
        const std::string cache = orbel::UserFolder(orbel::UserFolderKind::Cache, "Orbel\\Temp");
        if (!cache.empty()) m_Folder = orbel::InstanceFolder(cache);
    }
}

CString RenderFolderOf(const CString& programDir)
{
    const CString images = programDir + "Images\\";
    if (orbel::IsWritableFolder(static_cast<LPCTSTR>(images))) return images;
    const std::string user = orbel::UserFolder(orbel::UserFolderKind::Data, "Orbel\\Images");
    return user.empty() ? images : CString(user.c_str());
}
