// The whole program started headless with no plug-in libraries, a "Temp"
// folder for undo snapshots, and helpers to give it tool doubles and a
// small scene.
#pragma once

#include "ProgramHarness.h"

#include "tests/support/PluginDouble.h"

#include "orbel/views/MyOrbelView.h"

#include <model/MyOrbelDoc.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(program.folder.Root() / "Temp");
        ASSERT_TRUE(program.Start());
        frame = program.Frame();
        document = program.Document();
        ASSERT_NE(frame, nullptr);
        ASSERT_NE(document, nullptr);
    }

    // A double appended to the frame's list of that category; the frame
    // ends it (Release deletes it) when it closes.
    PluginDouble* AddTool(int category, const char* name = "Tool Double")
    {
        auto* tool = new PluginDouble(name);
        tool->deleteOnRelease = true;
        PluginRecord record;
        record.plugin = tool;
        frame->GetPlugins(category).Add(record);
        return tool;
    }

    // A strip of `faces` triangles over faces + 2 vertices, added to the
    // document (head of its list, next id).
    cObjekt3D* AddStrip(int faces, const char* name = "Strip")
    {
        auto* object = new cObjekt3D;
        object->m_Name = name;
        for (int v = 0; v < faces + 2; ++v) {
            MeshVertex vertex{};
            vertex.x = static_cast<float>(v / 2);
            vertex.y = static_cast<float>(v % 2);
            object->AddVertex(vertex);
        }
        for (int f = 0; f < faces; ++f) {
            object->AddIndex(static_cast<WORD>(f));
            object->AddIndex(static_cast<WORD>(f + 1));
            object->AddIndex(static_cast<WORD>(f + 2));
        }
        document->AddObject(object);
        return object;
    }

    void Select(std::initializer_list<cObjekt3D*> objects)
    {
        document->m_Selection.Clear();
        for (cObjekt3D* object : objects)
            document->m_Selection.AddObject(object, TRUE);
    }

    std::vector<int> SelectedIds() const
    {
        std::vector<int> ids;
        for (POSITION pos = document->m_Selection.m_Objects.GetHeadPosition(); pos != nullptr;)
            ids.push_back(document->m_Selection.m_Objects.GetNext(pos)->m_Id);
        return ids;
    }

    std::vector<int> ObjectIds() const
    {
        std::vector<int> ids;
        for (POSITION pos = document->m_Objects.GetHeadPosition(); pos != nullptr;)
            ids.push_back(document->m_Objects.GetNext(pos)->m_Id);
        return ids;
    }

    // What the last modal of that kind (orbel::modal::kFileDialog, ...)
    // described; "" when none appeared.
    static std::string LastAppearance(const std::string& kind)
    {
        const auto& seen = orbel::modal::Appearances();
        for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
            if (it->kind == kind)
                return it->description;
        }
        return "";
    }

    // Makes the tool at that index of the current tab's list current, as
    // the object panel's tools list does.
    void Activate(int index) { frame->SendMessage(WM_USER, FM_ACTIVATE_TOOL, index); }

    ProgramHarness program;
    CMainFrame* frame = nullptr;
    CMyOrbelDoc* document = nullptr;
};
