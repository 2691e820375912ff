#include "orbel/views/ViewBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

ViewBlock SampleBlock()
{
    ViewBlock block;
    block.kind = 8;
    block.zoom = 12.5f;
    block.fieldOfView = 0.7853982f;
    block.grid = true;
    block.fillMode = 3;
    block.wireOverlay = false;
    block.up = D3DXVECTOR3(0, 1, 0);
    block.eye = D3DXVECTOR3(2.5f, 4.0f, -8.0f);
    block.target = D3DXVECTOR3(1, 0, 0);
    block.selectionMode = 2;
    return block;
}

float FloatAt(const ViewBlockBytes& bytes, std::size_t offset)
{
    float v;
    std::memcpy(&v, bytes.data() + offset, 4);
    return v;
}

}  // namespace

TEST(ViewBlock, FieldsSitAtTheirOffsets)
{
    ViewBlockBytes bytes = EncodeViewBlock(SampleBlock());
    ASSERT_EQ(bytes.size(), 58u);
    EXPECT_EQ(bytes[0], 8);
    EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 4), 12.5f);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 8), 0.7853982f);
    EXPECT_EQ(bytes[12], 1);
    EXPECT_EQ(bytes[13], 3);
    EXPECT_EQ(bytes[17], 0);
    EXPECT_FLOAT_EQ(FloatAt(bytes, 22), 1.0f);   // up y
    EXPECT_FLOAT_EQ(FloatAt(bytes, 30), 2.5f);   // eye x
    EXPECT_FLOAT_EQ(FloatAt(bytes, 38), -8.0f);  // eye z
    EXPECT_FLOAT_EQ(FloatAt(bytes, 42), 1.0f);   // target x
    EXPECT_EQ(bytes[54], 2);
}

TEST(ViewBlock, RoundTripsAndFlagBytesAboveOneReadAsTrue)
{
    ViewBlockBytes bytes = EncodeViewBlock(SampleBlock());
    bytes[12] = 2;
    bytes[17] = 2;
    ViewBlock read = DecodeViewBlock(bytes);
    EXPECT_TRUE(read.grid);
    EXPECT_TRUE(read.wireOverlay);
    EXPECT_EQ(read.kind, 8);
    EXPECT_EQ(read.eye, D3DXVECTOR3(2.5f, 4.0f, -8.0f));
    EXPECT_EQ(read.selectionMode, 2);
    ViewBlockBytes again = EncodeViewBlock(read);
    EXPECT_EQ(again[12], 1);
    EXPECT_EQ(again[17], 1);
}

TEST(ViewBlock, ValidationRejectsStatesAViewCannotShow)
{
    EXPECT_TRUE(IsValidViewBlock(SampleBlock()));
    struct Case {
        const char* what;
        void (*spoil)(ViewBlock&);
    };
    const Case bad[] = {
        {"kind 0", [](ViewBlock& b) { b.kind = 0; }},
        {"kind 9", [](ViewBlock& b) { b.kind = 9; }},
        {"fill mode 0", [](ViewBlock& b) { b.fillMode = 0; }},
        {"fill mode 4", [](ViewBlock& b) { b.fillMode = 4; }},
        {"selection mode -1", [](ViewBlock& b) { b.selectionMode = -1; }},
        {"selection mode 4", [](ViewBlock& b) { b.selectionMode = 4; }},
        {"zoom 0", [](ViewBlock& b) { b.zoom = 0.0f; }},
        {"zoom negative", [](ViewBlock& b) { b.zoom = -1.0f; }},
        {"zoom NaN", [](ViewBlock& b) { b.zoom = std::numeric_limits<float>::quiet_NaN(); }},
        {"field of view 0", [](ViewBlock& b) { b.fieldOfView = 0.0f; }},
        {"field of view infinite", [](ViewBlock& b) { b.fieldOfView = std::numeric_limits<float>::infinity(); }},
        {"eye on target", [](ViewBlock& b) { b.eye = b.target; }},
        {"eye NaN", [](ViewBlock& b) { b.eye.y = std::numeric_limits<float>::quiet_NaN(); }},
        {"target infinite", [](ViewBlock& b) { b.target.z = std::numeric_limits<float>::infinity(); }},
        {"zero up", [](ViewBlock& b) { b.up = D3DXVECTOR3(0, 0, 0); }},
        {"up along the view", [](ViewBlock& b) { b.up = b.target - b.eye; }},
        {"eye beyond reach", [](ViewBlock& b) { b.eye.x = 2.0e6f; }},
        {"eye and target too close for their size", [](ViewBlock& b) {
             b.eye = D3DXVECTOR3(0, 900005, 0);
             b.target = D3DXVECTOR3(0, 900000, 0);
             b.up = D3DXVECTOR3(0, 0, 1);
         }},
    };
    // The first six spoil what a view is; the rest only its camera, which a
    // file can lose without being refused.
    int index = 0;
    for (const Case& c : bad) {
        ViewBlock block = SampleBlock();
        c.spoil(block);
        EXPECT_FALSE(IsValidViewBlock(block)) << c.what;
        EXPECT_EQ(IsReadableViewBlock(block), index++ >= 6) << c.what;
    }
    ViewBlock edges = SampleBlock();
    edges.kind = 1;
    edges.fillMode = 1;
    edges.selectionMode = 0;
    EXPECT_TRUE(IsValidViewBlock(edges));
    edges.kind = 8;
    edges.fillMode = 3;
    edges.selectionMode = 3;
    EXPECT_TRUE(IsValidViewBlock(edges));
}
