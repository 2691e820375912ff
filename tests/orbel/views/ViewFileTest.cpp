#include "ViewHarness.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <limits>

using viewtest::ViewHarness;

namespace {

using Bytes = std::vector<unsigned char>;

struct FourViews {
    ViewHarness stage;
    CMyOrbelView* views[4];
    FourViews()
    {
        const int kinds[4] = {ViewKindTop, ViewKindFront, ViewKindLeft, ViewKindPerspective};
        for (int i = 0; i < 4; ++i) views[i] = stage.AddView(kinds[i]);
    }
};

// Offset of view block i (0..3) in a saved file.
std::size_t BlockOffset(const Bytes& file, int i) { return file.size() - 232 + 58 * static_cast<std::size_t>(i); }

void PutInt(Bytes& file, std::size_t offset, std::int32_t value)
{
    for (int k = 0; k < 4; ++k) file[offset + k] = static_cast<unsigned char>(static_cast<std::uint32_t>(value) >> (8 * k));
}

void PutFloat(Bytes& file, std::size_t offset, float value) { PutInt(file, offset, std::bit_cast<std::int32_t>(value)); }

}  // namespace

TEST(ViewBlocks, EveryFileEndsWithTheFourViewBlocksInViewOrder)
{
    FourViews scene;
    scene.stage.selectionMode = 2;
    scene.views[1]->m_Zoom = 4.5f;
    scene.views[2]->m_bWireOverlay = true;
    Bytes file = viewtest::SaveSceneBytes(scene.stage.Document());
    ASSERT_GE(file.size(), 232u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ViewBlockBytes expected = EncodeViewBlock(scene.views[i]->MakeViewBlock());
        EXPECT_EQ(0, std::memcmp(file.data() + BlockOffset(file, i), expected.data(), 58));
        EXPECT_EQ(file[BlockOffset(file, i) + 54], 2) << "every block carries the frame's selection mode";
    }
    EXPECT_EQ(file[BlockOffset(file, 3)], ViewKindPerspective);
}

TEST(ViewBlocks, LoadingGivesEachViewTheFilesKindCameraAndLastSelectionMode)
{
    FourViews scene;
    const int kinds[4] = {ViewKindBack, ViewKindRight, ViewKindBottom, ViewKindUser};
    for (int i = 0; i < 4; ++i) scene.views[i]->SetViewKind(kinds[i], nullptr);
    scene.views[0]->m_Eye = D3DXVECTOR3(1, 2, 12);
    scene.views[0]->m_Zoom = 7.0f;
    scene.views[0]->m_Up = D3DXVECTOR3(0.6f, 0.8f, 0);
    Bytes file = viewtest::SaveSceneBytes(scene.stage.Document());
    PutInt(file, BlockOffset(file, 0) + 54, 2);
    PutInt(file, BlockOffset(file, 3) + 54, 1);
    file[BlockOffset(file, 1) + 12] = 2;  // grid flag byte 2 reads as true
    file[BlockOffset(file, 1) + 17] = 2;

    const int start[4] = {ViewKindTop, ViewKindFront, ViewKindLeft, ViewKindPerspective};
    for (int i = 0; i < 4; ++i) scene.views[i]->SetViewKind(start[i], nullptr);
    ASSERT_TRUE(viewtest::LoadSceneBytes(scene.stage.Document(), file));

    EXPECT_EQ(scene.views[0]->m_Kind, ViewKindBack);
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.views[0]->m_Title), "Back");
    EXPECT_EQ(scene.views[0]->m_PlaneNormal, D3DXVECTOR3(0, 0, 1));
    EXPECT_EQ(scene.views[0]->m_Eye, D3DXVECTOR3(1, 2, 12));
    EXPECT_EQ(scene.views[0]->m_Up, D3DXVECTOR3(0.6f, 0.8f, 0));
    EXPECT_FLOAT_EQ(scene.views[0]->m_Zoom, 7.0f);
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.views[1]->m_Title), "Right");
    EXPECT_EQ(scene.views[1]->m_RollAxis, D3DXVECTOR3(1, 0, 0));
    EXPECT_TRUE(scene.views[1]->m_bWireOverlay);
    EXPECT_STREQ(static_cast<LPCTSTR>(scene.views[3]->m_Title), "User");
    EXPECT_EQ(scene.stage.selectionMode, 1) << "the last block read sets the selection mode";

    Bytes again = viewtest::SaveSceneBytes(scene.stage.Document());
    EXPECT_EQ(again[BlockOffset(again, 1) + 12], 1);
    EXPECT_EQ(again[BlockOffset(again, 1) + 17], 1);
}

TEST(ViewBlocks, ABadBlockFailsTheLoadAndKeepsTheSceneAndCameras)
{
    FourViews scene;
    scene.stage.Document().AddObject(viewtest::MakeSquare(1.0f));
    Bytes good = viewtest::SaveSceneBytes(scene.stage.Document());

    struct Spoil {
        const char* what;
        std::size_t offset;
        bool isFloat;
        float value;
    };
    const Spoil spoils[] = {
        {"kind 9", 0, false, 9},
        {"kind 0", 0, false, 0},
        {"fill mode 4", 13, false, 4},
        {"selection mode 7", 54, false, 7},
    };
    for (const Spoil& spoil : spoils) {
        SCOPED_TRACE(spoil.what);
        Bytes bad = good;
        std::size_t at = BlockOffset(bad, 2) + spoil.offset;
        if (spoil.isFloat)
            PutFloat(bad, at, spoil.value);
        else
            PutInt(bad, at, static_cast<std::int32_t>(spoil.value));
        scene.views[0]->m_Eye = D3DXVECTOR3(0, 10, 0.5f);
        scene.stage.Document().AddObject(viewtest::MakeSquare(2.0f));
        INT_PTR objects = scene.stage.Document().m_Objects.GetCount();
        EXPECT_FALSE(viewtest::LoadSceneBytes(scene.stage.Document(), bad));
        EXPECT_EQ(scene.stage.Document().m_Objects.GetCount(), objects);
        EXPECT_EQ(scene.views[0]->m_Eye, D3DXVECTOR3(0, 10, 0.5f)) << "no view takes a block of a failed load";
    }
    EXPECT_TRUE(viewtest::LoadSceneBytes(scene.stage.Document(), good));
}

// A camera no view can look through costs the file only that camera: the
// scene and the block's other settings load, and the view starts as its
// kind starts.
TEST(ViewBlocks, ABlockWhoseCameraCannotBeFormedOpensWithItsKindsStartCamera)
{
    FourViews scene;
    scene.stage.Document().AddObject(viewtest::MakeSquare(1.0f));
    scene.views[1]->SetViewKind(ViewKindUser, nullptr);
    scene.views[1]->m_bWireOverlay = true;
    const ViewCamera userStart = scene.views[1]->GetCamera();
    scene.views[1]->m_Eye = D3DXVECTOR3(1, 2, 3);
    scene.views[1]->m_Target = D3DXVECTOR3(1, 2, 4);
    scene.views[1]->m_Zoom = 3.0f;
    Bytes good = viewtest::SaveSceneBytes(scene.stage.Document());
    const float nan = std::numeric_limits<float>::quiet_NaN();

    struct Spoil {
        const char* what;
        std::size_t offset;
        float value;
    };
    const Spoil spoils[] = {
        {"zoom 0", 4, 0.0f},           {"zoom NaN", 4, nan},
        {"fov negative", 8, -1.0f},    {"up zero", 18, 0.0f},
        {"eye infinite", 34, std::numeric_limits<float>::infinity()},
        {"eye on target", 38, 4.0f},   {"eye beyond reach", 30, 5.0e7f},
    };
    for (const Spoil& spoil : spoils) {
        SCOPED_TRACE(spoil.what);
        Bytes bad = good;
        const std::size_t block = BlockOffset(bad, 1);
        PutFloat(bad, block + spoil.offset, spoil.value);
        if (spoil.offset == 18) {
            PutFloat(bad, block + 22, 0.0f);
            PutFloat(bad, block + 26, 0.0f);
        }
        scene.stage.Document().AddObject(viewtest::MakeSquare(2.0f));
        ASSERT_TRUE(viewtest::LoadSceneBytes(scene.stage.Document(), bad));
        EXPECT_EQ(scene.stage.Document().m_Objects.GetCount(), 1) << "the file's scene is in";
        CMyOrbelView* user = scene.views[1];
        EXPECT_EQ(user->m_Kind, ViewKindUser);
        EXPECT_TRUE(user->m_bWireOverlay) << "only the camera starts again";
        EXPECT_EQ(user->m_Eye, userStart.eye);
        EXPECT_EQ(user->m_Target, userStart.target);
        EXPECT_EQ(user->m_Up, userStart.up);
        EXPECT_EQ(user->m_Zoom, userStart.zoom);
        EXPECT_EQ(user->m_FieldOfView, userStart.fieldOfView);
        EXPECT_EQ(scene.views[0]->m_Eye, D3DXVECTOR3(0, 10, 0)) << "the other views take their blocks";
        Bytes again = viewtest::SaveSceneBytes(scene.stage.Document());
        ViewBlockBytes written{};
        std::memcpy(written.data(), again.data() + BlockOffset(again, 1), written.size());
        EXPECT_TRUE(IsValidViewBlock(DecodeViewBlock(written))) << "and the file written next is sound";
    }
}
