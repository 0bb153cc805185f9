#include <gtest/gtest.h>

#include <random>

#include "EffectsTestSupport.h"

namespace skin {
namespace {

using platform::gfx::RGB;
using test::Column;
using test::GreyColumns;
using test::Row;
using test::SamePixels;
using test::Solid;

using V = std::vector<int>;

TEST(Morph, BlendsWithTiesToEvenAndClampedFactor) {
    TbsEffectBmp a = Solid(3, 2, 0, 0, 0);
    a.Morph(Solid(3, 2, 255, 255, 255), 0.5);
    EXPECT_EQ(a.PixelAt(2, 1), RGB(128, 128, 128));  // 127.5 goes to the even 128

    a = Solid(1, 1, 0, 0, 0);
    a.Morph(Solid(1, 1, 5, 7, 9), 0.5);  // 2.5, 3.5, 4.5
    EXPECT_EQ(a.PixelAt(0, 0), RGB(2, 4, 4));

    a = Solid(1, 1, 10, 20, 30);
    a.Morph(Solid(1, 1, 30, 20, 10), 0.5);
    EXPECT_EQ(a.PixelAt(0, 0), RGB(20, 20, 20));  // channels blend separately

    for (const double x : {-1.0, 0.0}) {
        a = Solid(1, 1, 10, 20, 30);
        a.Morph(Solid(1, 1, 200, 100, 50), x);
        EXPECT_EQ(a.PixelAt(0, 0), RGB(10, 20, 30)) << x;
    }
    for (const double x : {1.0, 3.0}) {
        a = Solid(1, 1, 10, 20, 30);
        a.Morph(Solid(1, 1, 200, 100, 50), x);
        EXPECT_EQ(a.PixelAt(0, 0), RGB(200, 100, 50)) << x;
    }
}

TEST(Morph, DifferentSizesLeaveThePictureUnchanged) {
    for (int kind = 0; kind <= 6; ++kind) {
        const TbsEffectBmp original = Solid(4, 3, 10, 20, 30);
        TbsEffectBmp a = original;
        ApplyMorphKind(a, Solid(3, 4, 200, 200, 200), kind, 0.5);
        EXPECT_TRUE(SamePixels(a, original)) << kind;
        ApplyMorphKind(a, TbsEffectBmp(), kind, 0.5);
        EXPECT_TRUE(SamePixels(a, original)) << kind;
    }
}

TEST(Morph, SideGradientsFadeFromTheirEdge) {
    const TbsEffectBmp black = GreyColumns(V(10, 0), 2);
    const TbsEffectBmp light = GreyColumns(V(10, 200), 2);

    TbsEffectBmp a = black;
    a.MorphLeftGradient(light, 0);  // at least one column takes part, and it shows b
    EXPECT_EQ(Row(a, 1), (V{200, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    a = black;
    a.MorphLeftGradient(light, 0.5);
    EXPECT_EQ(Row(a, 0), (V{200, 160, 120, 80, 40, 0, 0, 0, 0, 0}));

    a = black;
    a.MorphRightGradient(light, 0.5);
    EXPECT_EQ(Row(a, 1), (V{0, 0, 0, 0, 0, 40, 80, 120, 160, 200}));
    a = black;
    a.MorphRightGradient(light, 0);
    EXPECT_EQ(Row(a, 0), (V{0, 0, 0, 0, 0, 0, 0, 0, 0, 200}));
}

TEST(Morph, CentreGradientGrowsFromTheMiddle) {
    TbsEffectBmp wide = GreyColumns(V(10, 0), 2);
    wide.MorphGradient(GreyColumns(V(10, 200), 2), 0.4);
    // Band 4 wide around column 5 (3..7), then fading zones of 3 columns each.
    EXPECT_EQ(Row(wide, 1), (V{0, 67, 133, 200, 200, 200, 200, 200, 133, 67}));

    // Taller than wide: the same over rows, fading zones of (10 - 1 - 4) div 2 = 2 rows.
    TbsEffectBmp tall = GreyColumns(V(2, 0), 10);
    tall.MorphGradient(GreyColumns(V(2, 200), 10), 0.4);
    EXPECT_EQ(Column(tall, 1), (V{0, 0, 100, 200, 200, 200, 200, 200, 100, 0}));
}

TEST(Morph, SlidesAndPush) {
    const V av{10, 20, 30, 40, 50};
    const V bv{110, 120, 130, 140, 150};
    struct TCase {
        void (TbsEffectBmp::*Effect)(const TbsEffectBmp&, double);
        double X;
        V Want;
    };
    const TCase cases[] = {
        {&TbsEffectBmp::MorphLeftSlide, 0.4, {140, 150, 30, 40, 50}},
        {&TbsEffectBmp::MorphLeftSlide, 0.0, {150, 20, 30, 40, 50}},
        {&TbsEffectBmp::MorphLeftSlide, 1.0, {120, 130, 140, 150, 50}},
        {&TbsEffectBmp::MorphRightSlide, 0.4, {10, 20, 30, 110, 120}},
        {&TbsEffectBmp::MorphRightSlide, 0.0, {10, 20, 30, 40, 110}},
        {&TbsEffectBmp::MorphPush, 0.4, {130, 140, 150, 10, 20}},
        {&TbsEffectBmp::MorphPush, 0.0, {150, 10, 20, 30, 40}},
        {&TbsEffectBmp::MorphPush, 1.0, {110, 120, 130, 140, 150}},
    };
    for (const auto& c : cases) {
        TbsEffectBmp a = GreyColumns(av, 3);
        (a.*c.Effect)(GreyColumns(bv, 3), c.X);
        EXPECT_EQ(Row(a, 2), c.Want) << c.X;
    }
    // A single column cannot slide.
    TbsEffectBmp one = GreyColumns({10}, 2);
    one.MorphLeftSlide(GreyColumns({99}, 2), 0.5);
    EXPECT_EQ(Row(one, 0), (V{10}));
}

TEST(Morph, KindNumbersChooseTheEffect) {
    std::mt19937 rnd(3);
    TbsEffectBmp a(17, 9), b(17, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x) {
            a.PutPixel(x, y, static_cast<platform::gfx::TColor>(rnd() & 0xFFFFFF));
            b.PutPixel(x, y, static_cast<platform::gfx::TColor>(rnd() & 0xFFFFFF));
        }
    void (TbsEffectBmp::*const effects[])(const TbsEffectBmp&, double) = {&TbsEffectBmp::Morph,
                                                                          &TbsEffectBmp::MorphGradient,
                                                                          &TbsEffectBmp::MorphLeftGradient,
                                                                          &TbsEffectBmp::MorphRightGradient,
                                                                          &TbsEffectBmp::MorphLeftSlide,
                                                                          &TbsEffectBmp::MorphRightSlide,
                                                                          &TbsEffectBmp::MorphPush};
    for (int kind = 0; kind <= 7; ++kind) {
        TbsEffectBmp viaKind = a;
        ApplyMorphKind(viaKind, b, kind, 0.37);
        TbsEffectBmp direct = a;
        (direct.*effects[kind == 7 ? 0 : kind])(b, 0.37);
        EXPECT_TRUE(SamePixels(viaKind, direct)) << kind;
        EXPECT_FALSE(SamePixels(viaKind, a)) << kind;
    }
}

}  // namespace
}  // namespace skin
