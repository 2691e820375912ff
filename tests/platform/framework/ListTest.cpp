#include <framework/Afx.h>

#include "CollectionTestTypes.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

using orbel::test::Counted;

namespace {

template <class TYPE, class ARG_TYPE = const TYPE&>
struct Inspectable : CList<TYPE, ARG_TYPE> {
    using CList<TYPE, ARG_TYPE>::CList;
    bool HasBlocks() const { return this->m_pBlocks != nullptr; }
    INT_PTR BlockSize() const { return this->m_nBlockSize; }
};

template <class L>
std::vector<int> Items(const L& list)
{
    std::vector<int> items;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(list.GetNext(pos));
    return items;
}

struct MaterialSpan {
    int material;
    int firstFace;
};

} // namespace

TEST(List, RepresentationHeadTailCountFreeBlocksBlockSize)
{
    // The CObject header, then six pointer-sized fields.
    EXPECT_EQ(sizeof(CList<MaterialSpan, MaterialSpan&>), 7 * sizeof(void*));
    EXPECT_EQ(sizeof(CPtrList), 7 * sizeof(void*));
    Inspectable<int, int> list(3);
    EXPECT_EQ(list.BlockSize(), 3);
}

TEST(List, NodesComeFromBlocksAndAreReused)
{
    Inspectable<int, int> list(4);
    EXPECT_FALSE(list.HasBlocks());
    std::vector<POSITION> positions;
    for (int i = 0; i < 4; ++i)
        positions.push_back(list.AddTail(i));
    // One block: the nodes lie next to each other, in hand-out order.
    for (int i = 1; i < 4; ++i)
        EXPECT_GT(reinterpret_cast<char*>(positions[i]), reinterpret_cast<char*>(positions[i - 1]));

    // A freed node is the next one handed out.
    list.RemoveAt(positions[1]);
    EXPECT_EQ(list.AddHead(10), positions[1]);
    EXPECT_EQ(Items(list), (std::vector<int>{10, 0, 2, 3}));

    // Emptying the list frees its blocks.
    while (!list.IsEmpty())
        list.RemoveTail();
    EXPECT_FALSE(list.HasBlocks());
    list.AddTail(1);
    EXPECT_TRUE(list.HasBlocks());
}

TEST(List, PositionsWalkBothWays)
{
    CList<int, int> list;
    for (int i = 1; i <= 5; ++i)
        list.AddTail(i);
    POSITION pos = list.GetTailPosition();
    std::vector<int> backwards;
    while (pos != nullptr)
        backwards.push_back(list.GetPrev(pos));
    EXPECT_EQ(backwards, (std::vector<int>{5, 4, 3, 2, 1}));

    POSITION third = list.FindIndex(2);
    EXPECT_EQ(list.GetAt(third), 3);
    list.InsertBefore(third, 30);
    list.InsertAfter(third, 31);
    list.InsertBefore(list.GetHeadPosition(), 0);
    list.InsertAfter(list.GetTailPosition(), 6);
    EXPECT_EQ(Items(list), (std::vector<int>{0, 1, 2, 30, 3, 31, 4, 5, 6}));
    EXPECT_EQ(list.GetHead(), 0);
    EXPECT_EQ(list.GetTail(), 6);

    list.SetAt(third, 33);
    EXPECT_EQ(list.Find(33), third);
    EXPECT_EQ(list.Find(33, third), nullptr);
    EXPECT_EQ(list.Find(99), nullptr);
    EXPECT_EQ(list.FindIndex(9), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);

    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    list.RemoveAt(third);
    EXPECT_EQ(Items(list), (std::vector<int>{1, 2, 30, 31, 4, 5}));
    EXPECT_EQ(list.RemoveHead(), 1);
    EXPECT_EQ(list.RemoveTail(), 5);
    EXPECT_EQ(list.GetCount(), 4);
}

TEST(List, ElementsLiveExactlyAsLongAsTheirNodes)
{
    Counted::alive = 0;
    {
        CList<Counted, const Counted&> list(2);
        for (int i = 0; i < 7; ++i)
            list.AddHead(Counted("n"));
        EXPECT_EQ(Counted::alive, 7);
        Counted taken = list.RemoveHead();
        EXPECT_EQ(Counted::alive, 7);  // six in the list, one taken
        list.RemoveAt(list.GetTailPosition());
        EXPECT_EQ(Counted::alive, 6);
        EXPECT_NE(list.Find(Counted("n")), nullptr);
    }
    EXPECT_EQ(Counted::alive, 0);
}

TEST(List, CopyingWholeListsKeepsOrder)
{
    CList<int, int> a, b;
    for (int i = 0; i < 3; ++i) {
        a.AddTail(i);
        b.AddTail(10 + i);
    }
    a.AddHead(&b);
    EXPECT_EQ(Items(a), (std::vector<int>{10, 11, 12, 0, 1, 2}));
    b.AddTail(&b);  // with itself
    EXPECT_EQ(Items(b), (std::vector<int>{10, 11, 12, 10, 11, 12}));

    CStringList names;
    names.AddTail("B");
    names.AddHead("A");
    EXPECT_EQ(names.GetHead(), "A");
    EXPECT_NE(names.Find("B"), nullptr);

    CPtrList views;
    int dummy = 0;
    EXPECT_EQ(views.GetHeadPosition(), nullptr);
    views.AddTail(&dummy);
    EXPECT_EQ(views.GetHead(), &dummy);
}
