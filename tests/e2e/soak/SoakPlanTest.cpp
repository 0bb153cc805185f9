// The soak driver's choices: repeatable from the printed seed, and never aimed at what would end
// the program or change it in ways a soak must not (caption buttons, system menu, Alt keys, a
// caption double click).

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "SoakPlan.h"

namespace {

using namespace soak;

const TSoakFrame kFrame{5, 28, 760, 570};
const TSoakRect kScreen{0, 0, 1280, 1024};
const TSoakRect kMain{200, 150, 770, 605};

bool IsPress(const TSoakAction& a) {
    return a.Kind == TSoakActionKind::Click || a.Kind == TSoakActionKind::DoubleClick ||
           a.Kind == TSoakActionKind::RightClick || a.Kind == TSoakActionKind::Drag;
}

TEST(SoakPlanTest, TheSeedRepeatsTheRunAndAnotherSeedChangesIt) {
    const std::vector<TSoakWindow> windows{{TSoakWindowKind::Main, kMain}};
    TSoakPlan a(42, kFrame, kScreen), b(42, kFrame, kScreen), c(43, kFrame, kScreen);
    int differing = 0;
    for (int i = 0; i < 500; ++i) {
        const std::string first = a.Next(windows).Describe();
        EXPECT_EQ(first, b.Next(windows).Describe()) << "action " << i;
        if (first != c.Next(windows).Describe()) ++differing;
    }
    EXPECT_GT(differing, 400);
}

TEST(SoakPlanTest, PressesOnTheMainWindowStayInItsClientAreaOrCaptionMiddle) {
    const std::vector<TSoakWindow> windows{{TSoakWindowKind::Main, kMain}};
    TSoakPlan plan(7, kFrame, kScreen);
    const TSoakRect client = plan.ClientZone(kMain);
    const TSoakRect caption = plan.CaptionDragZone(kMain);
    EXPECT_EQ(client.Left, 205);
    EXPECT_EQ(client.Top, 178);
    // The caption buttons (right end) and the system-menu button (left end) lie outside.
    EXPECT_LE(caption.Left + caption.Width, kMain.Left + kMain.Width - 100);
    EXPECT_GE(caption.Left, kMain.Left + 30);
    EXPECT_LE(caption.Top + caption.Height, kMain.Top + kFrame.ClientTop);
    std::set<TSoakActionKind> kinds;
    int captionDrags = 0;
    for (int i = 0; i < 50000; ++i) {
        const TSoakAction a = plan.Next(windows);
        kinds.insert(a.Kind);
        if (IsPress(a)) {
            const bool onCaption = caption.Contains(a.X, a.Y);
            ASSERT_TRUE(client.Contains(a.X, a.Y) || onCaption) << a.Describe();
            if (onCaption) {
                ASSERT_EQ(a.Kind, TSoakActionKind::Drag) << "only drags press the caption: " << a.Describe();
                ++captionDrags;
            }
        }
        if (a.Kind == TSoakActionKind::Drag) {
            ASSERT_TRUE(kScreen.Contains(a.ToX, a.ToY)) << a.Describe();
        }
        if (a.Kind == TSoakActionKind::Key) {
            ASSERT_FALSE(a.Alt) << a.Describe();
            ASSERT_NE(a.Key.front(), 'F') << a.Describe();
        }
    }
    EXPECT_EQ(kinds.size(), 6u) << "every kind of action occurs";
    EXPECT_GT(captionDrags, 500);
}

TEST(SoakPlanTest, CaptionPressesNeverLandNextToTheLastOne) {
    // A narrow caption makes close presses likely; two within 4 pixels would be a double click
    // on the caption (roll-up or maximise).
    const TSoakFrame narrow{5, 28, 200, 300};
    const TSoakRect main{100, 100, 210, 335};
    TSoakPlan plan(99, narrow, kScreen);
    const TSoakRect caption = plan.CaptionDragZone(main);
    ASSERT_LT(caption.Width, 30);
    const std::vector<TSoakWindow> windows{{TSoakWindowKind::Main, main}};
    int last = -100, lastY = -100, drags = 0;
    for (int i = 0; i < 200000; ++i) {
        const TSoakAction a = plan.Next(windows);
        if (a.Kind != TSoakActionKind::Drag || !caption.Contains(a.X, a.Y)) continue;
        ++drags;
        ASSERT_FALSE(std::abs(a.X - last) <= 4 && std::abs(a.Y - lastY) <= 4)
            << "press " << a.X << "," << a.Y << " after " << last << "," << lastY;
        last = a.X;
        lastY = a.Y;
    }
    EXPECT_GT(drags, 1000);
}

TEST(SoakPlanTest, AnOpenMessageBoxOrListTakesMostInputAndOnlyItsOwnPresses) {
    const TSoakRect dialog{1000, 850, 250, 120};  // apart from the main window, so each press tells its target
    const TSoakRect list{10, 10, 150, 100};
    const std::vector<TSoakWindow> windows{{TSoakWindowKind::Main, kMain},
                                           {TSoakWindowKind::Dialog, dialog},
                                           {TSoakWindowKind::Popup, list}};
    TSoakPlan plan(3, kFrame, kScreen);
    const TSoakRect client = plan.ClientZone(kMain), caption = plan.CaptionDragZone(kMain);
    int onOthers = 0, presses = 0;
    for (int i = 0; i < 20000; ++i) {
        const TSoakAction a = plan.Next(windows);
        if (!IsPress(a)) continue;
        ++presses;
        const bool inDialog = dialog.Contains(a.X, a.Y), inList = list.Contains(a.X, a.Y);
        ASSERT_TRUE(inDialog || inList || client.Contains(a.X, a.Y) || caption.Contains(a.X, a.Y)) << a.Describe();
        if (inDialog) {
            ASSERT_GE(a.Y, dialog.Top + kFrame.ClientTop) << "no press on the box's caption";
        }
        if (inDialog || inList) ++onOthers;
    }
    EXPECT_GT(onOthers * 2, presses);
}

TEST(SoakPlanTest, PressesOnABoxOverTheMainWindowsFrameNeverReachTheFrame) {
    // The box covers the main window's caption buttons: if it closes before a press arrives, the
    // press would land on them.
    const TSoakRect box{kMain.Left + kMain.Width - 200, kMain.Top - 20, 260, 140};
    const std::vector<TSoakWindow> windows{{TSoakWindowKind::Main, kMain}, {TSoakWindowKind::Dialog, box}};
    TSoakPlan plan(11, kFrame, kScreen);
    const TSoakRect client = plan.ClientZone(kMain), caption = plan.CaptionDragZone(kMain);
    int pressesOnBox = 0;
    for (int i = 0; i < 20000; ++i) {
        const TSoakAction a = plan.Next(windows);
        if (!IsPress(a)) continue;
        if (box.Contains(a.X, a.Y)) ++pressesOnBox;
        if (kMain.Contains(a.X, a.Y)) {
            ASSERT_TRUE(client.Contains(a.X, a.Y) || caption.Contains(a.X, a.Y)) << a.Describe();
        }
    }
    EXPECT_GT(pressesOnBox, 1000) << "the box's part over the client area is still pressed";
}

TEST(SoakPlanTest, ResidentSizeIsReadFromTheStatusText) {
    EXPECT_EQ(ParseVmRssKb("Name:\tPuzzleBrowser\nVmPeak:\t  99 kB\nVmRSS:\t   51234 kB\nRssAnon: 1 kB\n"), 51234);
    EXPECT_EQ(ParseVmRssKb("VmRSS: 7 kB"), 7);
    EXPECT_FALSE(ParseVmRssKb("Name:\tx\nVmHWM:\t 5 kB\n").has_value());
    EXPECT_FALSE(ParseVmRssKb("VmRSS:\t kB\n").has_value());
    EXPECT_FALSE(ParseVmRssKb("VmRSS:\t 12 MB\n").has_value());
    EXPECT_FALSE(ParseVmRssKb("").has_value());
}

}  // namespace
