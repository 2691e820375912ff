#include <framework/Afx.h>

#include <gtest/gtest.h>

#include <string>

TEST(String, IsOnePointerAndSharesNothingVisible)
{
    static_assert(sizeof(CString) == sizeof(void*));
    CString a, b;
    a += "x";  // writing to one empty string leaves the others empty
    EXPECT_EQ(a, "x");
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_STREQ(static_cast<LPCTSTR>(CString()), "");

    CString copy(a);
    copy.SetAt(0, 'y');
    EXPECT_EQ(a, "x");
    EXPECT_EQ(copy, "y");
}

TEST(String, ConstructionAndComparison)
{
    EXPECT_EQ(CString("abcdef", 3), "abc");
    EXPECT_EQ(CString('z', 3), "zzz");
    EXPECT_EQ(CString(static_cast<LPCSTR>(nullptr)), "");
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_GT(CString("abd").Compare("abc"), 0);
    EXPECT_LT(CString("ABC"), CString("abc"));
    EXPECT_EQ(CString("Hello").CompareNoCase("hELLO"), 0);
    EXPECT_TRUE("abc" == CString("abc"));
    EXPECT_TRUE(CString("abc") != "abd");
    EXPECT_EQ(CString("a\0b", 3).GetLength(), 3);  // embedded zero bytes are kept
}

TEST(String, PartsClampToTheString)
{
    const CString s("Temp\\Un7.bin");
    EXPECT_EQ(s.Left(4), "Temp");
    EXPECT_EQ(s.Right(3), "bin");
    EXPECT_EQ(s.Mid(5), "Un7.bin");
    EXPECT_EQ(s.Mid(5, 3), "Un7");
    EXPECT_EQ(s.Left(100), s);
    EXPECT_EQ(s.Right(-1), "");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.Mid(-3, 4), "Temp");
    EXPECT_EQ(s.Mid(10, 100), "in");
    EXPECT_EQ(s.GetAt(100), '\0');
}

TEST(String, SearchingFromBothEnds)
{
    const CString path("C:\\Orbel\\bin\\Orbel.exe");
    EXPECT_EQ(path.ReverseFind('\\'), 12);
    EXPECT_EQ(path.Left(path.ReverseFind('\\') + 1), "C:\\Orbel\\bin\\");
    EXPECT_EQ(path.Find('\\'), 2);
    EXPECT_EQ(path.Find('\\', 3), 8);
    EXPECT_EQ(path.Find("Orbel"), 3);
    EXPECT_EQ(path.Find("Orbel", 4), 13);
    EXPECT_EQ(path.Find("none"), -1);
    EXPECT_EQ(path.Find('x', 1000), -1);
    EXPECT_EQ(path.Find("bin", 1000), -1);
    EXPECT_EQ(path.FindOneOf(".:"), 1);
    EXPECT_EQ(CString("abc").ReverseFind('z'), -1);
}

TEST(String, EditingInPlace)
{
    CString s("  a-b-c \t");
    s.Trim();
    EXPECT_EQ(s, "a-b-c");
    EXPECT_EQ(s.Replace("-", "--"), 2);
    EXPECT_EQ(s, "a--b--c");
    EXPECT_EQ(s.Replace('-', '+'), 4);
    EXPECT_EQ(s.Remove('+'), 4);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.Insert(1, "XY"), 5);
    EXPECT_EQ(s.Insert(99, '!'), 6);
    EXPECT_EQ(s, "aXYbc!");
    EXPECT_EQ(s.Delete(1, 2), 4);
    EXPECT_EQ(s.Delete(3, 10), 3);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(s.MakeUpper(), "ABC");
    EXPECT_EQ(s.MakeLower(), "abc");
    EXPECT_EQ(s.MakeReverse(), "cba");
    CString t("xxhixx");
    EXPECT_EQ(t.TrimLeft('x').TrimRight("x"), "hi");
}

TEST(String, AppendingItselfAndLongText)
{
    CString s("ab");
    s += s;
    s += static_cast<LPCTSTR>(s);  // a pointer into its own buffer
    EXPECT_EQ(s, "abababab");

    CString longText;
    for (int i = 0; i < 10000; ++i)
        longText += 'q';
    EXPECT_EQ(longText.GetLength(), 10000);
    EXPECT_EQ(longText + "!" , CString('q', 10000) + '!');
    EXPECT_EQ("<" + CString("x") + ">", "<x>");
}

TEST(String, FormatHandlesAnyLength)
{
    CString s;
    s.Format("Temp\\Un%d.bin", 7);
    EXPECT_EQ(s, "Temp\\Un7.bin");
    s.Format("%s|%05.1f", std::string(5000, 'w').c_str(), 2.25);
    EXPECT_EQ(s.GetLength(), 5006);
    EXPECT_EQ(s.Right(6), "|002.2");
    s.AppendFormat("%c", '#');
    EXPECT_EQ(s.Right(1), "#");
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(String, BufferAccess)
{
    CString s("abc");
    char* buffer = s.GetBuffer(100);
    EXPECT_GE(s.GetAllocLength(), 100);
    EXPECT_STREQ(buffer, "abc");
    std::snprintf(buffer, 101, "%s", "written directly");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "written directly");
    EXPECT_EQ(s.GetLength(), 16);

    buffer = s.GetBuffer(0);
    buffer[3] = '\0';
    s.ReleaseBuffer();
    EXPECT_EQ(s, "wri");
    s.ReleaseBuffer(1);
    EXPECT_EQ(s, "w");
    s.FreeExtra();
    EXPECT_EQ(s.GetAllocLength(), 1);

    CString sized;
    std::memset(sized.GetBufferSetLength(4), 'k', 4);
    EXPECT_EQ(sized, "kkkk");
}

TEST(String, LoadStringAsksTheInstalledLoader)
{
    CString s("unchanged");
    const orbel::StringResourceLoader installed = orbel::SetStringResourceLoader(nullptr);
    EXPECT_FALSE(s.LoadString(128));
    orbel::SetStringResourceLoader([](UINT id, CString& out) -> BOOL {
        if (id != 128)
            return FALSE;
        out = "Orbel";
        return TRUE;
    });
    EXPECT_FALSE(s.LoadString(5));
    EXPECT_EQ(s, "unchanged");
    EXPECT_TRUE(s.LoadString(128));
    EXPECT_EQ(s, "Orbel");
    orbel::SetStringResourceLoader(installed);
}
