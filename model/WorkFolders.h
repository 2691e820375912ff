// Where the running program writes its working files: the undo snapshots of
// this instance and the images it renders.
#pragma once

#include <framework/Core.h>
#include <win32/InstanceFolders.h>

// This instance's snapshot folder, held for as long as the object lives and
// removed with its files when it goes: a folder of its own inside the
// program's "Temp", or, where none can be made there (an installed copy the
// user may not write to), inside the user's cache folder ("Orbel\Temp").
// Folders that instances no longer running left behind are removed first.
class cSnapshotFolder {
public:
    explicit cSnapshotFolder(const CString& programDir);

    // Absolute, ending in '\'; empty when no folder could be made anywhere.
    CString Path() const { return m_Folder.Path().c_str(); }

private:
    orbel::InstanceFolder m_Folder;
};

// The folder a render with a bare file name goes to: the program's "Images"
// where the user may write to it, else the user's "Orbel\Images" data folder
// (made as needed), else the program's "Images" all the same. Absolute,
// ending in '\'.
CString RenderFolderOf(const CString& programDir);
