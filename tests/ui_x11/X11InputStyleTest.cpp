// Which input style the x11 backend asks an input method for, given what it offers.

#include <gtest/gtest.h>

#include "platform/ui/backend/x11/X11InputStyle.h"

namespace {

using platform::ui::x11::ChooseInputStyle;

constexpr XIMStyle kSpot = XIMPreeditPosition | XIMStatusNothing;
constexpr XIMStyle kSpotNoStatus = XIMPreeditPosition | XIMStatusNone;
constexpr XIMStyle kDrawn = XIMPreeditCallbacks | XIMStatusNothing;
constexpr XIMStyle kRoot = XIMPreeditNothing | XIMStatusNothing;
constexpr XIMStyle kNone = XIMPreeditNone | XIMStatusNone;

TEST(X11InputStyleTest, OverTheSpotWinsWhenOfferedAndAFontSetExists) {
    // Offered in the order a typical server lists them: the root-window style first.
    EXPECT_EQ(ChooseInputStyle({kRoot, kDrawn, kSpot, kNone}, true), kSpot);
    EXPECT_EQ(ChooseInputStyle({kRoot, kSpotNoStatus}, true), kSpotNoStatus);
    // Without a font set the input method could not draw its pre-edit window.
    EXPECT_EQ(ChooseInputStyle({kRoot, kDrawn, kSpot}, false), kDrawn);
    EXPECT_EQ(ChooseInputStyle({kRoot, kSpot}, false), kRoot);
}

TEST(X11InputStyleTest, DrawingThePreeditOurselvesComesBeforeTheStylesWithoutOne) {
    EXPECT_EQ(ChooseInputStyle({kNone, kRoot, kDrawn}, true), kDrawn);
    EXPECT_EQ(ChooseInputStyle({XIMPreeditCallbacks | XIMStatusNone, kNone}, false),
              XIMPreeditCallbacks | XIMStatusNone);
}

TEST(X11InputStyleTest, FallsBackToWhatNeedsNoPreeditAndRefusesStatusAreas) {
    // The built-in method of a plain X server offers only these two.
    EXPECT_EQ(ChooseInputStyle({kNone, kRoot}, true), kRoot);
    EXPECT_EQ(ChooseInputStyle({kNone}, true), kNone);
    // A status area or status callbacks would need drawing we do not do.
    EXPECT_EQ(ChooseInputStyle({XIMPreeditPosition | XIMStatusArea, XIMPreeditCallbacks | XIMStatusCallbacks,
                                XIMPreeditArea | XIMStatusArea},
                               true),
              0u);
    EXPECT_EQ(ChooseInputStyle({}, true), 0u);
}

}  // namespace
