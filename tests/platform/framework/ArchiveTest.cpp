#include <framework/Afx.h>

#include "platform/win32/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using orbel::test::ScratchFolder;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ToBytes(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

// Writes through a storing archive and returns the file's bytes.
template <typename Store>
Bytes Stored(Store store, int bufferSize = 4096)
{
    ScratchFolder folder;
    const std::string path = folder.Backslashed("out.bin");
    {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, bufferSize);
        store(ar);
        ar.Close();
    }
    return ToBytes(folder.ReadFile("out.bin"));
}

// Reads bytes back through a loading archive.
template <typename Load>
void Loaded(const Bytes& bytes, Load load, int bufferSize = 4096)
{
    ScratchFolder folder;
    folder.WriteFile("in.bin", std::string(bytes.begin(), bytes.end()));
    CFile file(folder.Backslashed("in.bin").c_str(), CFile::modeRead);
    CArchive ar(&file, CArchive::load, bufferSize);
    load(ar);
}

// The cause of the CArchiveException that loading raises, or -1 for none.
template <typename Load>
int LoadFailure(const Bytes& bytes, Load load)
{
    try {
        Loaded(bytes, load);
    } catch (CArchiveException* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

Bytes StringBytes(const CString& s)
{
    return Stored([&](CArchive& ar) { ar << s; });
}

Bytes Prefix(const Bytes& bytes, std::size_t n)
{
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

} // namespace

TEST(ArchiveStrings, LengthPrefixesAtTheirBoundaries)
{
    EXPECT_EQ(StringBytes(""), (Bytes{0x00}));
    EXPECT_EQ(StringBytes("Unamed"), (Bytes{6, 'U', 'n', 'a', 'm', 'e', 'd'}));

    const Bytes b254 = StringBytes(CString('n', 254));
    EXPECT_EQ(b254.size(), 255u);
    EXPECT_EQ(b254[0], 254);

    const Bytes b255 = StringBytes(CString('n', 255));
    EXPECT_EQ(b255.size(), 258u);
    EXPECT_EQ(Prefix(b255, 3), (Bytes{0xFF, 0xFF, 0x00}));

    const Bytes bFFFD = StringBytes(CString('n', 0xFFFD));
    EXPECT_EQ(Prefix(bFFFD, 3), (Bytes{0xFF, 0xFD, 0xFF}));
    EXPECT_EQ(bFFFD.size(), 3u + 0xFFFD);

    // 0xFFFE itself would read as the UTF-16 mark, so it takes the long form.
    const Bytes bFFFE = StringBytes(CString('n', 0xFFFE));
    EXPECT_EQ(Prefix(bFFFE, 7), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(bFFFE.size(), 7u + 0xFFFE);
}

TEST(ArchiveStrings, EveryLengthFormReadsBack)
{
    for (int length : {0, 1, 254, 255, 256, 0xFFFD, 0xFFFE, 0xFFFF, 70000}) {
        const CString original = CString('a', length / 2) + CString('b', length - length / 2);
        CString readBack("previous");
        Loaded(StringBytes(original), [&](CArchive& ar) { ar >> readBack; });
        EXPECT_EQ(readBack, original) << length;
    }
}

TEST(ArchiveStrings, Utf16FormBecomesUtf8)
{
    // 0xFF, the 0xFFFE mark, then the length in code units: "Aé€😀" takes 5.
    Bytes bytes{0xFF, 0xFE, 0xFF, 5, 'A', 0, 0xE9, 0, 0xAC, 0x20, 0x3D, 0xD8, 0x00, 0xDE};
    CString s;
    Loaded(bytes, [&](CArchive& ar) { ar >> s; });
    EXPECT_EQ(s, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");

    // The same mark with the two-byte length form and an unpaired surrogate.
    Bytes longer{0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01};  // 256 units
    for (int i = 0; i < 255; ++i) {
        longer.push_back('z');
        longer.push_back(0);
    }
    longer.push_back(0x00);
    longer.push_back(0xD8);  // lone high surrogate at the end
    Loaded(longer, [&](CArchive& ar) { ar >> s; });
    EXPECT_EQ(s, CString('z', 255) + "\xEF\xBF\xBD");
}

TEST(ArchiveStrings, ALengthBeyondTheFileIsRejectedBeforeAllocating)
{
    CString s;
    // Claims 0xFFFFFFFF bytes in a file of 11.
    EXPECT_EQ(LoadFailure(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c', 'd'},
                          [&](CArchive& ar) { ar >> s; }),
              CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(Bytes{5, 'a', 'b'}, [&](CArchive& ar) { ar >> s; }), CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(Bytes{0xFF, 0xFE, 0xFF, 3, 'a', 0}, [&](CArchive& ar) { ar >> s; }),
              CArchiveException::endOfFile);
}

TEST(ArchiveCounts, WordArrayCountForm)
{
    auto countBytes = [](DWORD_PTR n) { return Stored([n](CArchive& ar) { ar.WriteCount(n); }); };
    EXPECT_EQ(countBytes(0), (Bytes{0, 0}));
    EXPECT_EQ(countBytes(300), (Bytes{0x2C, 0x01}));
    EXPECT_EQ(countBytes(0xFFFE), (Bytes{0xFE, 0xFF}));
    EXPECT_EQ(countBytes(0xFFFF), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0, 0}));
    EXPECT_EQ(countBytes(70000), (Bytes{0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));

    for (DWORD_PTR n : {0ul, 0xFFFEul, 0xFFFFul, 70000ul}) {
        DWORD_PTR readBack = 12345;
        Loaded(countBytes(n), [&](CArchive& ar) { readBack = ar.ReadCount(); });
        EXPECT_EQ(readBack, n);
    }
}

TEST(ArchiveCounts, ArraysSerialiseCountThenElements)
{
    CArray<WORD, WORD> indices;
    for (WORD i = 0; i < 300; ++i)
        indices.Add(i);
    const Bytes small = Stored([&](CArchive& ar) { indices.Serialize(ar); });
    ASSERT_EQ(small.size(), 2u + 600u);
    EXPECT_EQ(Prefix(small, 4), (Bytes{0x2C, 0x01, 0x00, 0x00}));

    indices.SetSize(70000);
    indices[69999] = 0xBEEF;
    const Bytes large = Stored([&](CArchive& ar) { indices.Serialize(ar); });
    ASSERT_EQ(large.size(), 6u + 140000u);
    EXPECT_EQ(Prefix(large, 6), (Bytes{0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}));

    CArray<WORD, WORD> readBack;
    Loaded(large, [&](CArchive& ar) { readBack.Serialize(ar); });
    ASSERT_EQ(readBack.GetSize(), 70000);
    EXPECT_EQ(readBack[299], 299);
    EXPECT_EQ(readBack[69999], 0xBEEF);

    CStringArray names;
    names.Add("one");
    names.Add(CString('x', 300));
    CStringArray namesBack;
    Loaded(Stored([&](CArchive& ar) { names.Serialize(ar); }), [&](CArchive& ar) { namesBack.Serialize(ar); });
    ASSERT_EQ(namesBack.GetSize(), 2);
    EXPECT_EQ(namesBack[1], names[1]);
}

TEST(ArchiveCounts, ACountTheFileCannotHoldIsRejected)
{
    CArray<WORD, WORD> indices;
    // 0xFFFFFFFF indices announced, four bytes present.
    EXPECT_EQ(LoadFailure(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4},
                          [&](CArchive& ar) { indices.Serialize(ar); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(indices.GetSize(), 0);
    CList<int, int> numbers;
    EXPECT_EQ(LoadFailure(Bytes{0x10, 0x00, 1, 0, 0, 0}, [&](CArchive& ar) { numbers.Serialize(ar); }),
              CArchiveException::endOfFile);
}

TEST(ArchiveBuffer, ValuesCrossingTheBufferBoundaryRoundTrip)
{
    // Odd offsets put every kind of value across buffer edges, for several buffer sizes.
    for (int bufferSize : {128, 129, 4096}) {
        const Bytes bytes = Stored(
            [](CArchive& ar) {
                for (int i = 0; i < 3000; ++i) {
                    ar << static_cast<BYTE>(i) << static_cast<WORD>(i * 3) << static_cast<INT>(-i)
                       << static_cast<float>(i) * 0.5f << static_cast<double>(i) / 3.0
                       << static_cast<ULONGLONG>(i) * 0x100000001ull;
                }
            },
            bufferSize);
        ASSERT_EQ(bytes.size(), 3000u * (1 + 2 + 4 + 4 + 8 + 8));
        Loaded(
            bytes,
            [](CArchive& ar) {
                for (int i = 0; i < 3000; ++i) {
                    BYTE b;
                    WORD w;
                    INT n;
                    float f;
                    double d;
                    ULONGLONG u;
                    ar >> b >> w >> n >> f >> d >> u;
                    ASSERT_EQ(b, static_cast<BYTE>(i));
                    ASSERT_EQ(w, static_cast<WORD>(i * 3));
                    ASSERT_EQ(n, -i);
                    ASSERT_EQ(f, static_cast<float>(i) * 0.5f);
                    ASSERT_EQ(d, static_cast<double>(i) / 3.0);
                    ASSERT_EQ(u, static_cast<ULONGLONG>(i) * 0x100000001ull);
                }
            },
            bufferSize);
    }
}

TEST(ArchiveBuffer, LittleEndianLayout)
{
    EXPECT_EQ(Stored([](CArchive& ar) { ar << 1.0f << static_cast<INT>(-2) << static_cast<WORD>(0x1234); }),
              (Bytes{0x00, 0x00, 0x80, 0x3F, 0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12}));
}

TEST(ArchiveBuffer, BulkBlocksMixWithBufferedValues)
{
    std::vector<unsigned char> block(10000);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<unsigned char>(i * 7);
    const Bytes bytes = Stored([&](CArchive& ar) {
        ar << static_cast<BYTE>(1);
        ar.Write(block.data(), 100);  // fits the buffer
        ar.Write(block.data(), 10000);  // larger than the buffer
        ar << static_cast<BYTE>(2);
    });
    ASSERT_EQ(bytes.size(), 1u + 100u + 10000u + 1u);
    Loaded(bytes, [&](CArchive& ar) {
        BYTE first, last;
        std::vector<unsigned char> small(100), big(10000);
        ar >> first;
        EXPECT_EQ(ar.Read(small.data(), 100), 100u);
        ar.EnsureRead(big.data(), 10000);
        ar >> last;
        EXPECT_EQ(first, 1);
        EXPECT_EQ(last, 2);
        EXPECT_TRUE(std::equal(small.begin(), small.end(), block.begin()));
        EXPECT_EQ(big, block);
        EXPECT_EQ(ar.GetBytesLeft(), 0u);
        // Read stops short at the end; the operators raise.
        EXPECT_EQ(ar.Read(small.data(), 100), 0u);
    });
}

TEST(ArchiveBuffer, ReadingPastTheEndRaisesEndOfFile)
{
    const Bytes three{1, 2, 3};
    EXPECT_EQ(LoadFailure(three, [](CArchive& ar) {
                  INT n;
                  ar >> n;
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(three, [](CArchive& ar) {
                  WORD w;
                  BYTE b;
                  ar >> w >> b >> b;
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(three, [](CArchive& ar) {
                  BYTE four[4];
                  ar.EnsureRead(four, 4);
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(LoadFailure(Bytes{}, [](CArchive& ar) { ar.ReadCount(); }), CArchiveException::endOfFile);
}

TEST(ArchiveModes, WrongDirectionAndLoadFlushPosition)
{
    ScratchFolder folder;
    folder.WriteFile("data.bin", "abcdefgh");
    CFile file(folder.Backslashed("data.bin").c_str(), CFile::modeRead);
    {
        CArchive ar(&file, CArchive::load);
        EXPECT_TRUE(ar.IsLoading());
        BYTE b;
        ar >> b;
        try {
            ar << b;
            ADD_FAILURE() << "writing to a loading archive";
        } catch (CArchiveException* e) {
            EXPECT_EQ(e->m_cause, CArchiveException::readOnly);
            e->Delete();
        }
        ar.Close();  // gives back the bytes it buffered but did not hand out
    }
    EXPECT_EQ(file.GetPosition(), 1u);

    CFile out(folder.Backslashed("out.bin").c_str(), CFile::modeCreate | CFile::modeReadWrite);
    CArchive store(&out, CArchive::store);
    BYTE b = 0;
    try {
        store >> b;
        ADD_FAILURE() << "reading from a storing archive";
    } catch (CArchiveException* e) {
        EXPECT_EQ(e->m_cause, CArchiveException::writeOnly);
        e->Delete();
    }
}

TEST(ArchiveModes, DestructorWritesTheBufferOutUnlessToldNotTo)
{
    ScratchFolder folder;
    {
        CFile file(folder.Backslashed("kept.bin").c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        ar << static_cast<INT>(7);
    }
    EXPECT_EQ(folder.ReadFile("kept.bin").size(), 4u);
    {
        CFile file(folder.Backslashed("dropped.bin").c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete);
        ar << static_cast<INT>(7);
    }
    EXPECT_EQ(folder.ReadFile("dropped.bin").size(), 0u);
}

TEST(ArchiveBuffer, EveryTruncationOfAStreamRaisesEndOfFile)
{
    CArray<WORD, WORD> indices;
    for (WORD i = 0; i < 5; ++i)
        indices.Add(i);
    const Bytes whole = Stored([&](CArchive& ar) {
        ar << CString('s', 300) << static_cast<INT>(9);
        indices.Serialize(ar);
        ar << CString("end");
    });
    auto readAll = [](CArchive& ar) {
        CString text, tail;
        INT number;
        CArray<WORD, WORD> readIndices;
        ar >> text >> number;
        readIndices.Serialize(ar);
        ar >> tail;
    };
    EXPECT_EQ(LoadFailure(whole, readAll), -1);
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_EQ(LoadFailure(Prefix(whole, length), readAll), CArchiveException::endOfFile) << length;
}
