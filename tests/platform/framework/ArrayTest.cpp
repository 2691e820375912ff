#include <framework/Afx.h>

#include "CollectionTestTypes.h"

#include <gtest/gtest.h>

#include <cstddef>

using orbel::test::Counted;

namespace {

// Exposes the representation the plug-ins rely on.
template <class TYPE, class ARG_TYPE = const TYPE&>
struct Inspectable : CArray<TYPE, ARG_TYPE> {
    INT_PTR Allocated() const { return this->m_nMaxSize; }
    INT_PTR GrowBy() const { return this->m_nGrowBy; }
    std::size_t OffsetOf(const void* member) const
    {
        return static_cast<std::size_t>(static_cast<const char*>(member) - reinterpret_cast<const char*>(this));
    }
    std::size_t DataOffset() const { return OffsetOf(&this->m_pData); }
    std::size_t SizeOffset() const { return OffsetOf(&this->m_nSize); }
    std::size_t MaxOffset() const { return OffsetOf(&this->m_nMaxSize); }
    std::size_t GrowOffset() const { return OffsetOf(&this->m_nGrowBy); }
};

struct Vertex {
    float x, y, z, nx, ny, nz, u, v;
};

} // namespace

TEST(Array, RepresentationIsPointerSizeAllocatedGrowByAfterTheHeader)
{
    const Inspectable<Vertex, Vertex&> a;
    EXPECT_EQ(sizeof(a), 5 * sizeof(void*));
    EXPECT_EQ(a.DataOffset(), sizeof(void*));
    EXPECT_EQ(a.SizeOffset(), 2 * sizeof(void*));
    EXPECT_EQ(a.MaxOffset(), 3 * sizeof(void*));
    EXPECT_EQ(a.GrowOffset(), 4 * sizeof(void*));
}

TEST(Array, DefaultGrowthIsAnEighthBetweenFourAndAThousandTwentyFour)
{
    Inspectable<int, int> a;
    a.Add(1);
    EXPECT_EQ(a.Allocated(), 1);  // the first block is just what was asked for
    a.Add(2);
    EXPECT_EQ(a.Allocated(), 5);  // then at least 4 more
    a.SetSize(80);
    EXPECT_EQ(a.Allocated(), 80);
    a.Add(0);
    EXPECT_EQ(a.Allocated(), 90);  // 80 / 8
    a.SetSize(20000);
    a.Add(0);
    EXPECT_EQ(a.Allocated(), 20000 + 1024);
    a.SetSize(10, 100);
    EXPECT_EQ(a.GrowBy(), 100);
    a.FreeExtra();
    EXPECT_EQ(a.Allocated(), 10);
    a.Add(0);
    EXPECT_EQ(a.Allocated(), 110);
}

TEST(Array, NewElementsStartAsZerosOrDefaults)
{
    CArray<Vertex, Vertex&> vertices;
    vertices.SetSize(3);
    EXPECT_EQ(vertices[2].x, 0.0f);
    EXPECT_EQ(vertices[2].v, 0.0f);
    CArray<CString, LPCTSTR> names;
    names.SetSize(2);
    EXPECT_TRUE(names[1].IsEmpty());
}

TEST(Array, ElementsAreConstructedAndDestroyedExactlyOnce)
{
    Counted::alive = 0;
    {
        CArray<Counted, const Counted&> a;
        for (int i = 0; i < 100; ++i)
            a.Add(Counted("x"));
        EXPECT_EQ(Counted::alive, 100);
        a.RemoveAt(10, 20);
        EXPECT_EQ(Counted::alive, 80);
        a.InsertAt(0, Counted("front"), 3);
        EXPECT_EQ(Counted::alive, 83);
        EXPECT_EQ(a[0].text, "front");
        EXPECT_EQ(a[3].text, "x");
        a.SetSize(5);
        EXPECT_EQ(Counted::alive, 5);
        a.FreeExtra();
        EXPECT_EQ(Counted::alive, 5);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(Array, AddingAnElementOfTheSameArraySurvivesGrowth)
{
    CArray<CString, const CString&> a;
    a.Add(CString("first"));
    for (int i = 0; i < 50; ++i)
        a.Add(a[0]);  // the reference points into the block that grows
    EXPECT_EQ(a.GetSize(), 51);
    EXPECT_EQ(a[50], "first");

    CArray<CString, LPCTSTR> b;
    b.Add("text");
    for (int i = 0; i < 20; ++i)
        b.Add(b[i]);  // a pointer into an element's characters
    EXPECT_EQ(b[20], "text");
}

TEST(Array, InsertRemoveAppendCopy)
{
    CArray<int, int> a;
    for (int i = 0; i < 5; ++i)
        a.Add(i);
    a.InsertAt(2, 99);
    a.InsertAt(8, 7);  // past the end: the gap is filled with zeros
    EXPECT_EQ(a.GetSize(), 9);
    EXPECT_EQ(a[2], 99);
    EXPECT_EQ(a[6], 0);
    EXPECT_EQ(a[8], 7);
    a.RemoveAt(6, 100);  // clamped to the end
    EXPECT_EQ(a.GetSize(), 6);
    EXPECT_EQ(a.GetUpperBound(), 5);

    EXPECT_EQ(a.Append(a), 6);  // appending itself doubles it
    EXPECT_EQ(a.GetSize(), 12);
    EXPECT_EQ(a[6 + 2], 99);

    CArray<int, int> b;
    b.Copy(a);
    EXPECT_EQ(b.GetSize(), 12);
    b.InsertAt(1, &a);
    EXPECT_EQ(b.GetSize(), 24);
    EXPECT_EQ(b[1 + 2], 99);
    b.SetAtGrow(30, 5);
    EXPECT_EQ(b.GetSize(), 31);
    b.RemoveAll();
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_EQ(b.GetData(), nullptr);
}
