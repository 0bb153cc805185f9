#include "TabsDemoForm.h"

#include <algorithm>

#include "platform/forms/ImageListComponent.h"
#include "platform/gfx/Canvas.h"
#include "skin/boxes/bsSkinBoxCtrlsRegister.h"
#include "skin/data/bsSkinDataStored.h"

namespace tabsdemo {

using namespace platform::forms;
using platform::gfx::RGB;
using platform::gfx::TBitmap;
using platform::gfx::TColor;

namespace {

constexpr TColor kSwatches[] = {RGB(236, 170, 160), RGB(170, 220, 160), RGB(160, 190, 236)};
const char* const kColourNames[] = {"Red", "Green", "Blue"};

// A 16 x 16 picture: a round, square, diamond or triangular mark in a colour, on white (the
// list's transparent colour).
TBitmap Mark(int shape, TColor color) {
    TBitmap b(16, 16);
    auto& c = b.Canvas();
    c.Brush.Color = platform::gfx::clWhite;
    c.FillRect({0, 0, 16, 16});
    c.Brush.Color = color;
    c.Pen.Color = RGB(40, 40, 40);
    switch (shape) {
        case 0: c.Ellipse({2, 2, 14, 14}); break;
        case 1: c.Rectangle(3, 3, 13, 13); break;
        case 2: c.Polygon({{8, 1}, {14, 8}, {8, 14}, {1, 8}}); break;
        default: c.Polygon({{8, 2}, {14, 13}, {2, 13}}); break;
    }
    return b;
}

}  // namespace

void RegisterDemoClasses() {
    skin::RegisterSkinBoxClasses();
}

TTabsDemoForm::TTabsDemoForm(TComponent* owner) : TForm(owner) {
    PublishField("pcPages", pcPages);
    PublishField("tcColours", tcColours);
    PublishField("lblStatus", lblStatus);
    PublishField("lblColour", lblColour);
    PublishMethod<void(TComponent*)>("PagesChange", [this](TComponent*) { ShowState(); });
    PublishMethod<void(TComponent*)>("ColoursChange", [this](TComponent*) { ShowState(); });
}

bool TTabsDemoForm::LoadSkin(const std::string& skinIni, std::string* error) {
    auto* stored = new skin::TbsStoredSkin(this);
    auto* data = new skin::TbsSkinData(this);
    const bool loaded = stored->LoadFromSkinFolder(skinIni, error);
    data->SetStoredSkin(stored);
    Dress(data);
    return loaded;
}

void TTabsDemoForm::Dress(skin::TbsSkinData* data) {
    auto* pageImages = new TImageListComponent(this);
    const TColor marks[] = {RGB(220, 80, 60), RGB(60, 160, 80), RGB(60, 100, 200), RGB(220, 180, 40)};
    for (int i = 0; i < 4; ++i) pageImages->AddMasked(Mark(i, marks[i]), platform::gfx::clWhite);
    auto* colourImages = new TImageListComponent(this);
    for (int i = 0; i < 3; ++i) colourImages->AddMasked(Mark(0, kSwatches[i]), platform::gfx::clWhite);
    pcPages->SetImages(pageImages);
    tcColours->SetImages(colourImages);
    pcPages->SetSkinData(data);
    tcColours->SetSkinData(data);
    const TRect area = tcColours->DisplayRect();
    lblColour->SetBounds(area.Left + 8, area.Top + 8, area.Width() - 16, area.Height() - 16);
    lblColour->SetTransparent(false);
    ShowState();
}

void TTabsDemoForm::ShowState() {
    const int colour = std::clamp(tcColours->TabIndex(), 0, 2);
    lblColour->SetColor(kSwatches[colour]);
    lblColour->SetCaption(kColourNames[colour]);
    std::string page = pcPages->ActivePage() ? pcPages->ActivePage()->Caption() : "";
    std::erase(page, '&');
    lblStatus->SetCaption("Page: " + page + "    Colour: " + kColourNames[colour]);
}

TColor TTabsDemoForm::PageColor(int index) const {
    const TTabSheet* sheet = pcPages->Pages(index);
    return sheet ? sheet->Color() : platform::gfx::clNone;
}

}  // namespace tabsdemo
