#pragma once
// The description of the program's default skin: which records it has, how each is drawn and
// where its images lie. BuildDefaultSkin runs it and returns the finished skin.

#include "tools/skingen/Atlas.h"
#include "tools/skingen/SkinModel.h"

namespace skingen {

// The numbered pictures, in the order [PICTURES] lists them.
enum TPictureNumber : int {
    kObjectsPicture = 0,  // caption buttons, menu items, menu bar items
    kButtonsPicture,      // buttons, check boxes, labels with a plate
    kBoxesPicture,        // combo box, list boxes, edits, memos, up-downs
    kScrollBarsPicture,
    kPanelsPicture,  // panels, tabs, grid, bars, splitters
    kGaugesPicture,  // gauges and track bars
    kPopupPicture,   // the popup menu window
    kPopupMaskPicture,
    kHintPicture,
    kPictureCount
};

// Every atlas a part of the description draws into.
struct TSkinAtlases {
    TAtlas Objects, Buttons, Boxes, ScrollBars, Panels, Gauges;
    // Pictures used whole.
    TBitmap Popup, PopupMask, Hint;
};

[[nodiscard]] TSkinModel BuildDefaultSkin();

// The parts of the description, in the order their records are listed.
void DescribeFrame(TSkinModel& model, TSkinAtlases& atlases);
void DescribeButtonsAndLabels(TSkinModel& model, TSkinAtlases& atlases);
void DescribeBoxes(TSkinModel& model, TSkinAtlases& atlases);
void DescribePanelsAndBars(TSkinModel& model, TSkinAtlases& atlases);

}  // namespace skingen
