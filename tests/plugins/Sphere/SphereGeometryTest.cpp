// Texture coordinates of the sphere's vertices: u around the pole axis,
// v from pole to pole, and never a NaN where rounding pushes a ratio past 1.
#include "plugins/Sphere/SphereGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(SphereTextureCoordinates, HalvesOfTheCircleAndThePoles)
{
    float u = 0.0f, v = 0.0f;
    SphereTextureCoordinates(0.0f, 1.0f, 0.0f, 1.0f, u, v);  // y > 0: a quarter turn
    EXPECT_NEAR(u, 0.25f, 1e-6f);
    EXPECT_NEAR(v, 0.5f, 1e-6f);
    SphereTextureCoordinates(0.0f, -1.0f, 0.0f, 1.0f, u, v);  // y < 0: three quarters
    EXPECT_NEAR(u, 0.75f, 1e-6f);
    SphereTextureCoordinates(-1.0f, -1e-3f, 0.0f, 1.0f, u, v);
    EXPECT_NEAR(u, 0.5f, 1e-3f);

    // Poles and y = 0 keep the u they came with; v spans 0 .. 1.
    u = 0.0f;
    SphereTextureCoordinates(0.0f, 0.0f, -2.0f, 2.0f, u, v);
    EXPECT_EQ(u, 0.0f);
    EXPECT_NEAR(v, 0.0f, 1e-6f);
    SphereTextureCoordinates(0.0f, 0.0f, 2.0f, 2.0f, u, v);
    EXPECT_EQ(u, 0.0f);
    EXPECT_NEAR(v, 1.0f, 1e-6f);
    SphereTextureCoordinates(1.0f, 0.0f, 0.0f, 1.0f, u, v);
    EXPECT_EQ(u, 0.0f);
}

TEST(SphereTextureCoordinates, AVertexRoundedPastThePoleGivesNoNaN)
{
    float u = 0.0f, v = 0.0f;
    // A vertex a hair beyond the radius along the axis.
    SphereTextureCoordinates(0.0f, 0.0f, std::nextafter(3.0f, 4.0f), 3.0f, u, v);
    EXPECT_EQ(v, 1.0f);
    SphereTextureCoordinates(0.0f, 0.0f, -std::nextafter(3.0f, 4.0f), 3.0f, u, v);
    EXPECT_EQ(v, 0.0f);
}

TEST(SphereTextureCoordinates, RadiusZeroGivesTheMiddle)
{
    float u = 0.0f, v = 0.0f;
    SphereTextureCoordinates(0.0f, 0.0f, 0.0f, 0.0f, u, v);
    EXPECT_EQ(v, 0.5f);
    EXPECT_FALSE(std::isnan(u));
}

}  // namespace
