// The one serving loop every starter shares.
#include "orbel/host/RequestServing.h"

#include "tests/support/PluginDouble.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Kind = PluginDouble::CallKind;

TEST(RequestServingTest, RefusedEventServesNothingAndAskedForNoList)
{
    PluginDouble plugin;
    std::vector<int> served;
    EXPECT_FALSE(ServePluginEvent(&plugin, PE_LBUTTONDOWN, [&](int code) { served.push_back(code); }));
    EXPECT_TRUE(served.empty());
    EXPECT_EQ(plugin.Count(Kind::GetRequestCount), 0);
    EXPECT_EQ(plugin.Events(), std::vector<int>{PE_LBUTTONDOWN});
    EXPECT_FALSE(ServePluginEvent(nullptr, PE_REFRESH, [&](int code) { served.push_back(code); }));
}

TEST(RequestServingTest, AcceptedEventServesTheListInIndexOrderReadingTheCountOnce)
{
    PluginDouble plugin;
    plugin.Accept(PE_LBUTTONDOWN, {{PR_UNDO_POINT, PR_POINT, PR_NEW_OBJECT, 4711}});
    std::vector<int> served;
    EXPECT_TRUE(ServePluginEvent(&plugin, PE_LBUTTONDOWN, [&](int code) { served.push_back(code); }));
    EXPECT_EQ(served, (std::vector<int>{PR_UNDO_POINT, PR_POINT, PR_NEW_OBJECT, 4711}));
    EXPECT_EQ(plugin.Count(Kind::GetRequestCount), 1);
    std::vector<int> indices;
    for (const auto& call : plugin.CallsOf(Kind::GetRequest))
        indices.push_back(call.code);
    EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3}));
}

TEST(RequestServingTest, OnlyAnAnswerByteOfExactlyOneIsServed)
{
    for (const unsigned char byte : {0x00, 0x01, 0x02, 0x03, 0x7F, 0x80, 0x81, 0xFE, 0xFF}) {
        PluginDouble plugin;
        plugin.Accept(PE_EXECUTE, {{PR_DEVICE}});
        plugin.AnswerWithByte(PE_EXECUTE, byte);
        int served = 0;
        const bool accepted = ServePluginEvent(&plugin, PE_EXECUTE, [&](int) { ++served; });
        EXPECT_EQ(accepted, byte == 1) << "answer byte " << int(byte);
        EXPECT_EQ(served, byte == 1 ? 1 : 0) << "answer byte " << int(byte);
        EXPECT_EQ(PluginAccepts(&plugin, PE_EXECUTE), byte == 1) << "answer byte " << int(byte);
    }
}

TEST(RequestServingTest, ServingsNestedBeyondTheCapSendNoFurtherEvent)
{
    PluginDouble plugin;
    plugin.Accept(PE_REFRESH, std::vector<std::vector<int>>(200, std::vector<int>{PR_NEW_OBJECT}));
    int deepest = 0;
    int refused = 0;
    RequestServer serve = [&](int) {
        deepest = std::max(deepest, ServingNestingDepth());
        if (!ServePluginEvent(&plugin, PE_REFRESH, serve))
            ++refused;
    };
    EXPECT_TRUE(ServePluginEvent(&plugin, PE_REFRESH, serve));
    EXPECT_EQ(deepest, kMaxServingNesting);
    EXPECT_EQ(plugin.Count(Kind::OnEvent), kMaxServingNesting);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(ServingNestingDepth(), 0);
}

TEST(RequestServingTest, RepeatGivesSetParamThenServesTheRebuiltList)
{
    PluginDouble plugin;
    plugin.Accept(PE_EXECUTE, {{PR_REPEAT}, {PR_DEVICE, PR_EXECUTE}});
    std::vector<int> served;
    RequestServer serve = [&](int code) {
        served.push_back(code);
        if (code == PR_REPEAT) {
            EXPECT_TRUE(ServeRepeat(&plugin, serve));
        }
    };
    ServePluginEvent(&plugin, PE_EXECUTE, serve);
    EXPECT_EQ(served, (std::vector<int>{PR_REPEAT, PR_DEVICE, PR_EXECUTE}));
    EXPECT_EQ(plugin.SetParamCodes(), std::vector<int>{PR_REPEAT});
    EXPECT_EQ(RepeatNestingDepth(), 0);
}

TEST(RequestServingTest, EndlessRepeatStopsAtTheNestingCap)
{
    PluginDouble plugin;
    plugin.Accept(PE_EXECUTE, std::vector<std::vector<int>>(1000, std::vector<int>{PR_REPEAT}));
    int refused = 0;
    int deepest = 0;
    RequestServer serve = [&](int code) {
        if (code != PR_REPEAT)
            return;
        deepest = std::max(deepest, RepeatNestingDepth());
        if (!ServeRepeat(&plugin, serve))
            ++refused;
    };
    ServePluginEvent(&plugin, PE_EXECUTE, serve);
    EXPECT_EQ(plugin.Count(Kind::SetParam), kMaxRepeatNesting);
    EXPECT_EQ(deepest, kMaxRepeatNesting);
    EXPECT_EQ(refused, 1);
    EXPECT_EQ(RepeatNestingDepth(), 0);

    // The cap is per nesting, not per session: the next serving repeats again.
    PluginDouble again;
    again.Accept(PE_EXECUTE, {{PR_REPEAT}, {PR_DEVICE}});
    std::vector<int> served;
    RequestServer serveAgain = [&](int code) {
        served.push_back(code);
        if (code == PR_REPEAT)
            ServeRepeat(&again, serveAgain);
    };
    ServePluginEvent(&again, PE_EXECUTE, serveAgain);
    EXPECT_EQ(served, (std::vector<int>{PR_REPEAT, PR_DEVICE}));
}

TEST(RequestServingTest, ADepthLevelIsGivenBackWhenServingThrows)
{
    PluginDouble plugin;
    plugin.Accept(PE_EXECUTE, {{PR_REPEAT}, {PR_UNDO_POINT}});
    RequestServer serve = [&](int code) {
        if (code == PR_REPEAT)
            ServeRepeat(&plugin, serve);
        else
            throw 1;
    };
    EXPECT_THROW(ServePluginEvent(&plugin, PE_EXECUTE, serve), int);
    EXPECT_EQ(RepeatNestingDepth(), 0);
}

}  // namespace
