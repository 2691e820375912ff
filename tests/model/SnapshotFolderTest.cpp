// Instances of the program started from one installation share its "Temp":
// each keeps its snapshots in a folder of its own there, and what one does
// or leaves behind never reaches another's undo.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "ModelTestSupport.h"
#include "model/WorkFolders.h"

using namespace modeltest;

namespace {

std::filesystem::path NativeFolder(const CString& folder)
{
    std::string text = static_cast<LPCTSTR>(folder);
    for (char& c : text)
        if (c == '\\') c = '/';
    return std::filesystem::path(text).parent_path();
}

// One running instance: its snapshot folder in the shared program folder and
// a document with one named object.
struct Instance {
    Instance(const ProgramFolder& program, const char* objectName) : folder(program.ProgramDir())
    {
        doc.m_ProgramDir = program.ProgramDir();
        doc.SetSnapshotFolder(folder.Path());
        doc.AddObject(MakeStrip(2, objectName));
    }
    // Select All, Delete, as the user did.
    void DeleteEverything()
    {
        doc.SaveUndoState("Delete");
        while (!doc.m_Objects.IsEmpty()) doc.RemoveObject(doc.m_Objects.GetHead()->m_Id);
    }
    std::string OnlyObjectName() const
    {
        return doc.m_Objects.GetCount() == 1 ? std::string(static_cast<LPCTSTR>(doc.m_Objects.GetHead()->m_Name)) : "";
    }

    cSnapshotFolder folder;
    CMyOrbelDoc doc;
};

class Pipe {
public:
    Pipe() { EXPECT_EQ(::pipe(m_ends), 0); }
    ~Pipe()
    {
        ::close(m_ends[0]);
        ::close(m_ends[1]);
    }
    void Send(char c) { (void)!::write(m_ends[1], &c, 1); }
    char Receive()
    {
        char c = 0;
        return ::read(m_ends[0], &c, 1) == 1 ? c : 0;
    }

private:
    int m_ends[2] = {-1, -1};
};

// The environment variable set for a scope, then put back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : m_Name(name)
    {
        if (const char* old = std::getenv(name)) m_Old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (m_Old)
            ::setenv(m_Name, m_Old->c_str(), 1);
        else
            ::unsetenv(m_Name);
    }

private:
    const char* m_Name;
    std::optional<std::string> m_Old;
};

int WaitFor(pid_t child)
{
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

// Two processes delete their scenes side by side and undo: each gets its own
// scene back, and the first one's exit leaves the other's undo working.
TEST(SnapshotFolder, TwoInstancesUndoSideBySideAndOneExitingLeavesTheOthersSnapshots)
{
    ProgramFolder program;
    Pipe toChild;
    Pipe toParent;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        int failure = 0;
        {
            Instance second(program, "Second");
            second.DeleteEverything();
            toParent.Send('d');  // deleted
            toChild.Receive();   // the first has deleted too
            second.doc.m_pUndoManager->Undo();
            if (second.OnlyObjectName() != "Second") failure = 10;
            if (second.folder.Path().IsEmpty()) failure = 11;
        }
        ::_exit(failure);  // the instance ended as the program ends: its folder is gone
    }

    Instance first(program, "First");
    ASSERT_EQ(toParent.Receive(), 'd');
    first.DeleteEverything();
    const std::filesystem::path mine = NativeFolder(first.folder.Path());
    EXPECT_EQ(mine.parent_path(), program.TempPath()) << "the instance's folder is in the program's Temp";
    EXPECT_TRUE(std::filesystem::exists(mine / "Un1.bin")) << "with the usual names inside";
    int folders = 0;
    for (const auto& entry : std::filesystem::directory_iterator(program.TempPath())) folders += entry.is_directory();
    EXPECT_EQ(folders, 2) << "one folder per running instance";
    toChild.Send('g');
    EXPECT_EQ(WaitFor(child), 0) << "the second instance got its own scene back";

    folders = 0;
    for (const auto& entry : std::filesystem::directory_iterator(program.TempPath())) folders += entry.is_directory();
    EXPECT_EQ(folders, 1) << "the second instance took only its own folder with it";
    first.doc.m_pUndoManager->Undo();
    EXPECT_EQ(first.OnlyObjectName(), "First");
    first.doc.m_pUndoManager->Redo();
    EXPECT_TRUE(first.doc.m_Objects.IsEmpty());
}

// A start removes the folders of instances that ended without tidying up
// and leaves those of running ones; where the program's Temp cannot take a
// folder, the snapshots go to the user's cache folder.
TEST(SnapshotFolder, AStartSweepsFoldersOfEndedInstancesAndFallsBackToTheUsersCache)
{
    ProgramFolder program;
    const auto running = std::make_unique<cSnapshotFolder>(program.ProgramDir());
    Pipe fromChild;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto* crashed = new cSnapshotFolder(program.ProgramDir());  // never destroyed: the process dies
        const CString path = crashed->Path();
        for (int i = 0; i < path.GetLength(); ++i) fromChild.Send(path[i]);
        fromChild.Send('\n');
        ::_exit(0);
    }
    std::string crashedPath;
    for (char c = fromChild.Receive(); c != '\n' && c != 0; c = fromChild.Receive()) crashedPath += c;
    WaitFor(child);
    const std::filesystem::path crashed = NativeFolder(crashedPath.c_str());
    ASSERT_TRUE(std::filesystem::is_directory(crashed)) << "an instance that died leaves its folder";
    const std::filesystem::path old = program.TempPath() / "Un1.bin";
    WriteFileBytes(old, Bytes{1});

    {
        cSnapshotFolder next(program.ProgramDir());
        EXPECT_FALSE(std::filesystem::exists(crashed)) << "the next start removes it";
        EXPECT_TRUE(std::filesystem::is_directory(NativeFolder(running->Path()))) << "a running one's stays";
        EXPECT_TRUE(std::filesystem::exists(old)) << "nothing but instance folders is touched";
    }

    ProgramFolder installed(false);  // no Temp the program could use
    const std::filesystem::path home = program.Path() / "home";
    ScopedVariable cache("XDG_CACHE_HOME", (home / "cache").string());
    ScopedVariable data("XDG_DATA_HOME", (home / "data").string());
    cSnapshotFolder fallback(installed.ProgramDir());
    EXPECT_EQ(NativeFolder(fallback.Path()).parent_path(), home / "cache" / "Orbel" / "Temp");
    EXPECT_TRUE(std::filesystem::is_empty(installed.Path()));
    EXPECT_EQ(NativeFolder(RenderFolderOf(installed.ProgramDir())), home / "data" / "Orbel" / "Images");
    std::filesystem::create_directory(installed.Path() / "Images");
    EXPECT_EQ(NativeFolder(RenderFolderOf(installed.ProgramDir())), installed.Path() / "Images");
}
