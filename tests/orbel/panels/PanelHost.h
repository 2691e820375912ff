// A top-level window standing in for the main frame: panels created inside
// it post their codes here, where the test reads them instead of a frame
// acting on them.
#pragma once

#include "orbel/resources/ProgramResources.h"

#include <framework/Afx.h>
#include <testsupport/ScriptedModals.h>
#include <testsupport/TestSupport.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using PostedCode = std::pair<WPARAM, LPARAM>;
using PostedCodes = std::vector<PostedCode>;

class PanelHost : public CWnd {
public:
    BOOL CreateTop() { return CreateEx(0, nullptr, "panels", WS_POPUP | WS_VISIBLE, 0, 0, 420, 720, nullptr, nullptr); }

    // What was posted since the last call, after pumping.
    PostedCodes TakePosts()
    {
        orbel::test::RunUntilIdle();
        PostedCodes taken;
        taken.swap(posts_);
        return taken;
    }

protected:
    afx_msg LRESULT OnUser(WPARAM code, LPARAM value)
    {
        posts_.emplace_back(code, value);
        return 1;
    }
    DECLARE_MESSAGE_MAP()

private:
    PostedCodes posts_;
};

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orbel::test::EnsureApplication();
        orbel::modal::Reset();
        previousUnscripted_ = orbel::modal::SetUnscriptedHandler([](const orbel::modal::Appearance& appearance) {
            ADD_FAILURE() << "unscripted " << appearance.kind << ": " << appearance.description;
        });
        RegisterProgramResources();
        ASSERT_TRUE(host.CreateTop());
    }
    void TearDown() override
    {
        orbel::test::RunUntilIdle();
        if (host.GetSafeHwnd() != nullptr)
            host.DestroyWindow();
        orbel::modal::SetUnscriptedHandler(previousUnscripted_);
        orbel::modal::Reset();
        std::error_code ignored;
        if (!scratch_.empty())
            std::filesystem::remove_all(scratch_, ignored);
    }

    // A folder of the test's own, removed at the end.
    std::filesystem::path ScratchFolder();
    // A 16 x 16 JPEG, the top half red and the bottom half blue, in the
    // scratch folder; its path.
    std::string WriteHalvesJpegFile(const std::string& name);

    PanelHost host;

private:
    orbel::modal::UnscriptedHandler previousUnscripted_;
    std::filesystem::path scratch_;
};
