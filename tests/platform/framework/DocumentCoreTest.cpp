#include <framework/Afx.h>

#include "platform/win32/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orbel::test::ScratchFolder;

namespace {

// A document of one name and one number; it can be told to fail half-way.
class NoteDocument : public CDocument {
public:
    CString name = "start";
    INT number = 1;
    bool failWhileStoring = false;
    int deleteContentsCalls = 0;
    CDocument* archiveDocument = nullptr;

    void Serialize(CArchive& ar) override
    {
        archiveDocument = ar.m_pDocument;
        if (ar.IsStoring()) {
            ar << name;
            if (failWhileStoring)
                AfxThrowFileException(CFileException::diskFull);
            ar << number;
        } else {
            CString newName;
            INT newNumber;
            ar >> newName >> newNumber;  // read everything before taking anything
            name = newName;
            number = newNumber;
        }
    }
    void DeleteContents() override { ++deleteContentsCalls; }
};

class DocumentCore : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = orbel::SetFailureReporter([this](LPCTSTR text, UINT) {
            reports.emplace_back(text);
            return IDOK;
        });
    }
    void TearDown() override { orbel::SetFailureReporter(previous); }

    ScratchFolder folder;
    std::vector<std::string> reports;
    orbel::FailureReporter previous;
};

} // namespace

namespace {

class PlainView : public CView {
public:
    void OnDraw(CDC*) override {}
};

} // namespace

TEST_F(DocumentCore, ViewListIsEmptyUntilViewsComeAndKeepsTheirOrder)
{
    NoteDocument document;
    EXPECT_EQ(document.GetFirstViewPosition(), nullptr);

    PlainView first, second;  // views without windows: the list only links them
    CView* a = &first;
    CView* b = &second;
    document.AddView(a);
    EXPECT_EQ(a->GetDocument(), &document);
    document.AddView(b);
    document.AddView(a);  // already listed
    POSITION pos = document.GetFirstViewPosition();
    EXPECT_EQ(document.GetNextView(pos), a);
    EXPECT_EQ(document.GetNextView(pos), b);
    EXPECT_EQ(pos, nullptr);
    document.RemoveView(a);
    document.RemoveView(a);
    EXPECT_EQ(a->GetDocument(), nullptr);
    EXPECT_EQ(b->GetDocument(), &document);
    pos = document.GetFirstViewPosition();
    EXPECT_EQ(document.GetNextView(pos), b);
    document.RemoveView(b);
    EXPECT_EQ(document.GetFirstViewPosition(), nullptr);
}

TEST_F(DocumentCore, NewDocumentEmptiesAndIsUnmodified)
{
    NoteDocument document;
    document.SetModifiedFlag();
    document.SetPathName(folder.Backslashed("old.f3D").c_str(), FALSE);
    EXPECT_TRUE(document.IsModified());
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_FALSE(document.IsModified());
    EXPECT_TRUE(document.GetPathName().IsEmpty());
    EXPECT_EQ(document.deleteContentsCalls, 1);
}

TEST_F(DocumentCore, PathNameIsFullWithBackslashesAndGivesTheTitle)
{
    NoteDocument document;
    std::vector<std::string> recent;
    static std::vector<std::string>* recentFiles = nullptr;
    recentFiles = &recent;
    orbel::SetRecentFileHook([](LPCTSTR path) { recentFiles->emplace_back(path); });
    std::filesystem::current_path(folder.Path());
    document.SetPathName("Scenes\\box.f3D");
    EXPECT_EQ(document.GetPathName(), folder.Backslashed("Scenes\\box.f3D").c_str());
    EXPECT_EQ(document.GetTitle(), "box.f3D");
    EXPECT_EQ(recent, (std::vector<std::string>{folder.Backslashed("Scenes\\box.f3D")}));
    document.SetPathName("other.f3D", FALSE);
    EXPECT_EQ(recent.size(), 1u);
    orbel::SetRecentFileHook(nullptr);
}

TEST_F(DocumentCore, SaveAndOpenRoundTrip)
{
    NoteDocument saved;
    saved.name = "Sphere";
    saved.number = 42;
    saved.SetModifiedFlag();
    const std::string path = folder.Backslashed("scene.f3D");
    ASSERT_TRUE(saved.OnSaveDocument(path.c_str()));
    EXPECT_FALSE(saved.IsModified());
    EXPECT_EQ(saved.archiveDocument, &saved);
    EXPECT_EQ(folder.ReadFile("scene.f3D"), std::string("\x06Sphere\x2A\0\0\0", 11));
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "scene.f3D.saving"));

    NoteDocument opened;
    ASSERT_TRUE(opened.OnOpenDocument(folder.Backslashed("SCENE.F3D").c_str()));
    EXPECT_EQ(opened.name, "Sphere");
    EXPECT_EQ(opened.number, 42);
    EXPECT_EQ(opened.archiveDocument, &opened);
    EXPECT_FALSE(opened.IsModified());
    EXPECT_TRUE(reports.empty());
}

TEST_F(DocumentCore, AFailedOpenReportsAndKeepsTheDocument)
{
    NoteDocument document;
    document.name = "mine";
    document.SetModifiedFlag();

    EXPECT_FALSE(document.OnOpenDocument(folder.Backslashed("missing.f3D").c_str()));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("missing.f3D"), std::string::npos);

    folder.WriteFile("short.f3D", std::string("\x06Sphe", 5));  // ends inside the name
    EXPECT_FALSE(document.OnOpenDocument(folder.Backslashed("short.f3D").c_str()));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[1].find("short.f3D"), std::string::npos);
    EXPECT_EQ(document.name, "mine");
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentCore, AFailedSaveLeavesThePreviousFileIntact)
{
    folder.WriteFile("scene.f3D", "previous contents");
    NoteDocument document;
    document.failWhileStoring = true;
    document.SetModifiedFlag();
    EXPECT_FALSE(document.OnSaveDocument(folder.Backslashed("scene.f3D").c_str()));
    EXPECT_EQ(folder.ReadFile("scene.f3D"), "previous contents");
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "scene.f3D.saving"));
    EXPECT_TRUE(document.IsModified());
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("scene.f3D"), std::string::npos);

    document.failWhileStoring = false;
    EXPECT_FALSE(document.OnSaveDocument(folder.Backslashed("NoFolder\\scene.f3D").c_str()));
    EXPECT_EQ(reports.size(), 2u);
}
