#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ModelTestSupport.h"

namespace {

// Steps whose param is an index into this log of calls.
struct StepLog {
    std::vector<std::string> calls;
};
StepLog* g_Log = nullptr;

void LoggingStep(INT_PTR param, BOOL discard)
{
    g_Log->calls.push_back((discard ? "discard " : "run ") + std::to_string(param));
}

void ThrowingStep(INT_PTR, BOOL discard)
{
    if (!discard)
        AfxThrowArchiveException(CArchiveException::endOfFile);
}

UndoEntry Step(INT_PTR param, const char* label, UndoFunction function = &LoggingStep)
{
    UndoEntry entry;
    entry.param = param;
    entry.kind = UK_FUNCTION;
    entry.function = function;
    entry.label = label;
    return entry;
}

class UndoManagerTest : public ::testing::Test {
protected:
    void SetUp() override { g_Log = &log; }
    void TearDown() override { g_Log = nullptr; }

    std::string Text(const CString& text) { return std::string(static_cast<LPCTSTR>(text)); }

    StepLog log;
};

}  // namespace

TEST_F(UndoManagerTest, MenuTextsFollowTheCurrentStep)
{
    cUndoManager undo;
    EXPECT_FALSE(undo.CanUndo());
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo\tCtrl+Z");
    EXPECT_EQ(Text(undo.GetRedoText()), "&Redo\tCtrl+Y");

    undo.Push(Step(1, "Delete"));
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo Delete \tCtrl+Z");
    EXPECT_EQ(Text(undo.GetRedoText()), "&Redo\tCtrl+Y");

    undo.Undo();
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo\tCtrl+Z");
    EXPECT_EQ(Text(undo.GetRedoText()), "&Redo Delete \tCtrl+Y");
    undo.Redo();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"run 1", "run 1"}));
}

TEST_F(UndoManagerTest, KeepsTheNewestTwentySteps)
{
    {
        cUndoManager undo;
        for (int i = 1; i <= 25; ++i)
            undo.Push(Step(i, "Move"));
        EXPECT_EQ(log.calls, (std::vector<std::string>{"discard 1", "discard 2", "discard 3", "discard 4", "discard 5"}));
        EXPECT_EQ(undo.m_Entries.GetCount(), 21);
        log.calls.clear();
        int undone = 0;
        while (undo.CanUndo()) {
            undo.Undo();
            ++undone;
        }
        EXPECT_EQ(undone, 20);
        EXPECT_EQ(log.calls.back(), "run 6");
        log.calls.clear();
    }
    // The destructor discards every remaining step, never the sentinel.
    EXPECT_EQ(log.calls.size(), 20u);
}

TEST_F(UndoManagerTest, PushingAfterUndoLosesTheRedoSteps)
{
    cUndoManager undo;
    undo.Push(Step(1, "A"));
    undo.Push(Step(2, "B"));
    undo.Push(Step(3, "C"));
    undo.Undo();
    undo.Undo();
    log.calls.clear();
    undo.Push(Step(4, "D"));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"discard 3", "discard 2"}));
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo D \tCtrl+Z");
    undo.Undo();
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo A \tCtrl+Z");
}

TEST_F(UndoManagerTest, SnapshotNumbersWrapAfter30001)
{
    cUndoManager undo;
    EXPECT_EQ(undo.NextSnapshotNumber(), 1);
    int last = 1;
    for (int i = 2; i <= 30001; ++i)
        last = undo.NextSnapshotNumber();
    EXPECT_EQ(last, 30001);
    EXPECT_EQ(undo.NextSnapshotNumber(), 1);
    EXPECT_EQ(undo.NextSnapshotNumber(), 2);
}

TEST_F(UndoManagerTest, AFailingStepStaysWhereItWas)
{
    cUndoManager undo;
    undo.Push(Step(1, "Fine"));
    undo.Push(Step(0, "Broken", &ThrowingStep));
    EXPECT_THROW(
        try { undo.Undo(); } catch (CException* e) {
            e->Delete();
            throw std::runtime_error("undo failed");
        },
        std::runtime_error);
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo Broken \tCtrl+Z");
    EXPECT_FALSE(undo.CanRedo());
}

namespace {

// A view's step record begins with a pointer to the view.
struct FakeViewState {
    const void* view;
    int value;
};
int g_FreedStates = 0;

void FakeViewStep(INT_PTR param, BOOL discard)
{
    auto* state = reinterpret_cast<FakeViewState*>(param);
    if (discard) {
        delete state;
        ++g_FreedStates;
    }
}

}  // namespace

TEST_F(UndoManagerTest, StepsOfAViewThatGoesAwayAreDiscardedWithoutTheView)
{
    int viewA = 0;
    int viewB = 0;
    g_FreedStates = 0;
    cUndoManager undo;
    undo.Push(Step(1, "Delete"));
    undo.Push(Step(reinterpret_cast<INT_PTR>(new FakeViewState{&viewA, 1}), "Change View", &FakeViewStep));
    undo.Push(Step(reinterpret_cast<INT_PTR>(new FakeViewState{&viewB, 2}), "Change View", &FakeViewStep));
    undo.Push(Step(reinterpret_cast<INT_PTR>(new FakeViewState{&viewA, 3}), "Change View", &FakeViewStep));
    undo.Undo();  // current: the step of view B

    EXPECT_EQ(undo.DiscardStepsOf(&FakeViewStep, &viewB), 1);
    EXPECT_EQ(g_FreedStates, 1);
    // Undo goes on with the next older step.
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo Change View \tCtrl+Z");
    EXPECT_EQ(undo.DiscardStepsOf(&FakeViewStep, &viewA), 2);
    EXPECT_EQ(Text(undo.GetUndoText()), "&Undo Delete \tCtrl+Z");
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_EQ(undo.DiscardStepsOf(&FakeViewStep, &viewA), 0);
}
