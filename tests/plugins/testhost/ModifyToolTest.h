// A fixture for the modify tools: the tool's library loaded into the test
// host and activated, its run button pressed as the user does, and its
// status line read back.
#pragma once

#include "plugins/testhost/PluginTestHost.h"

#include <testsupport/ControlInput.h>

#include <gtest/gtest.h>

#include <string>

namespace orbel::test {

class ModifyToolTest : public ::testing::Test {
protected:
    ModifyToolTest(const char* library, int runId, int statusId)
        : m_Library(library), m_RunId(runId), m_StatusId(statusId)
    {
    }

    void SetUp() override
    {
        tool = host.Load(m_Library);
        ASSERT_NE(tool, nullptr);
        host.Activate(tool);
    }

    void Press()
    {
        ClickButton(::GetDlgItem(host.Panel(), m_RunId));
        host.DeliverPosted();
    }

    std::string Status() const { return host.PanelText(m_StatusId); }

    PluginTestHost host;
    cPlugin* tool = nullptr;

private:
    const char* m_Library;
    int m_RunId;
    int m_StatusId;
};

}  // namespace orbel::test
