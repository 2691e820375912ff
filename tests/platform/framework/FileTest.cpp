#include <framework/Afx.h>

#include "platform/win32/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

using orbel::test::ScratchFolder;

namespace {

int OpenCause(const std::string& path, UINT flags)
{
    CFile file;
    CFileException error;
    if (file.Open(path.c_str(), flags, &error))
        return CFileException::none;
    EXPECT_EQ(error.m_strFileName, path.c_str());
    return error.m_cause;
}

} // namespace

TEST(File, OpenFailuresNameTheirCause)
{
    ScratchFolder folder;
    folder.WriteFile("Temp/keep", "");
    EXPECT_EQ(OpenCause(folder.Backslashed("Temp\\none.bin"), CFile::modeRead), CFileException::fileNotFound);
    EXPECT_EQ(OpenCause(folder.Backslashed("NoFolder\\Un1.bin"), CFile::modeCreate | CFile::modeWrite),
              CFileException::badPath);
    EXPECT_EQ(OpenCause(folder.Backslashed("Temp"), CFile::modeRead), CFileException::accessDenied);
    EXPECT_EQ(OpenCause("", CFile::modeRead), CFileException::badPath);

    try {
        CFile file(folder.Backslashed("Temp\\none.bin").c_str(), CFile::modeRead);
        ADD_FAILURE() << "the constructor must throw";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        char message[256];
        EXPECT_TRUE(e->GetErrorMessage(message, sizeof message));
        EXPECT_NE(std::string(message).find("none.bin"), std::string::npos);
        e->Delete();
    }
}

TEST(File, CreateTruncatesUnlessToldNot)
{
    ScratchFolder folder;
    folder.WriteFile("scene.f3D", "0123456789");
    const std::string path = folder.Backslashed("SCENE.F3D");  // an existing file in another case
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(file.GetLength(), 10u);
        EXPECT_EQ(file.SeekToEnd(), 10u);
        file.Write("ab", 2);
    }
    EXPECT_EQ(folder.ReadFile("scene.f3D"), "0123456789ab");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
    }
    EXPECT_EQ(folder.ReadFile("scene.f3D"), "");
}

TEST(File, ReadSeekAndNames)
{
    ScratchFolder folder;
    folder.WriteFile("Temp/Un12.bin", "abcdef");
    CFile file(folder.Backslashed("Temp\\Un12.bin").c_str(), CFile::modeRead | CFile::shareDenyWrite);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer), "abcd");
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_EQ(file.Read(buffer, 16), 2u);  // short only at the end
    EXPECT_EQ(file.Seek(-3, CFile::end), 3u);
    EXPECT_EQ(file.Read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 'd');
    file.SeekToBegin();
    EXPECT_EQ(file.GetPosition(), 0u);

    EXPECT_EQ(file.GetFileName(), "Un12.bin");
    EXPECT_EQ(file.GetFileTitle(), "Un12");
    EXPECT_EQ(file.GetFilePath(), folder.Backslashed("Temp\\Un12.bin").c_str());
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    file.Close();  // closing twice is harmless

    try {
        file.Read(buffer, 1);
        ADD_FAILURE() << "reading a closed file";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::invalidFile);
        e->Delete();
    }
}

TEST(File, RemoveAndRename)
{
    ScratchFolder folder;
    folder.WriteFile("a.bin", "a");
    CFile::Rename(folder.Backslashed("A.BIN").c_str(), folder.Backslashed("b.bin").c_str());
    EXPECT_EQ(folder.ReadFile("b.bin"), "a");
    CFile::Remove(folder.Backslashed("b.bin").c_str());
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "b.bin"));
    try {
        CFile::Remove(folder.Backslashed("b.bin").c_str());
        ADD_FAILURE() << "removing a missing file";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        e->Delete();
    }
}

TEST(Exceptions, ReportThroughTheInstalledReporter)
{
    std::string reported;
    UINT reportedType = 0;
    auto previous = orbel::SetFailureReporter([&](LPCTSTR text, UINT type) {
        reported = text;
        reportedType = type;
        return IDOK;
    });
    // The program's own path form stays inside; users read the system's.
    CArchiveException endOfFile(CArchiveException::endOfFile, "\\tmp\\scene.f3D");
    EXPECT_EQ(endOfFile.ReportError(MB_ICONSTOP), IDOK);
    EXPECT_NE(reported.find("\"/tmp/scene.f3D\""), std::string::npos) << reported;
    EXPECT_EQ(reported.find('\\'), std::string::npos) << reported;
    EXPECT_EQ(reportedType, MB_ICONSTOP);

    CException plain;
    plain.ReportError();
    EXPECT_FALSE(reported.empty());
    orbel::SetFailureReporter(previous);

    // A short buffer gets a terminated prefix.
    char tiny[6];
    EXPECT_TRUE(endOfFile.GetErrorMessage(tiny, sizeof tiny));
    EXPECT_EQ(std::strlen(tiny), 5u);

    for (auto thrower : {+[] { AfxThrowMemoryException(); }, +[] { AfxThrowUserException(); },
                         +[] { AfxThrowFileException(CFileException::diskFull); },
                         +[] { AfxThrowArchiveException(CArchiveException::badIndex); }}) {
        try {
            thrower();
        } catch (CException* e) {
            EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
            e->Delete();
        }
    }
}
