#include "app/program/BrowserWindow.h"

#include <array>
#include <stdexcept>

#include "app/program/ControlAdapters.h"
#include "app/program/SkinAdapters.h"
#include "platform/forms/FormResource.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/form/bsSkinForm.h"

namespace app::program {

namespace forms = platform::forms;

struct TBrowserAdapters {
    TComboBoxAdapter cbxPackage;
    TComboBoxAdapter cbxSeverity;
    TUpDownAdapter udPageNext;
    TLabelAdapter lblStatus;
    TLabelAdapter lblPuzzles;
    TLabelAdapter lblPuzzlePage;
    TButtonAdapter btnStart;
    TButtonAdapter btnHelp;
    TButtonAdapter btnHomepage;
    TButtonAdapter bsSkinButton1;
    std::array<TImageAdapter, 6> images;
    std::array<TFrameAdapter, 6> frames;
    TLinkAdapter lblMore;
    TLinkAdapter lblNewsletter;
    TMessageBoxAdapter messageBox;
    TWindowAdapter window;

    [[nodiscard]] TBrowserControls Controls() {
        TBrowserControls c;
        c.cbxPackage = &cbxPackage;
        c.cbxSeverity = &cbxSeverity;
        c.udPageNext = &udPageNext;
        c.lblStatus = &lblStatus;
        c.lblPuzzles = &lblPuzzles;
        c.lblPuzzlePage = &lblPuzzlePage;
        c.btnStart = &btnStart;
        c.btnHelp = &btnHelp;
        c.btnHomepage = &btnHomepage;
        c.bsSkinButton1 = &bsSkinButton1;
        c.Image1 = &images[0];
        c.Image2 = &images[1];
        c.Image3 = &images[2];
        c.Image4 = &images[3];
        c.Image5 = &images[4];
        c.Image6 = &images[5];
        c.Bevel1 = &frames[0];
        c.bevel2 = &frames[1];
        c.bevel3 = &frames[2];
        c.bevel4 = &frames[3];
        c.bevel5 = &frames[4];
        c.bevel6 = &frames[5];
        c.lblMore = &lblMore;
        c.lblNewsletter = &lblNewsletter;
        return c;
    }
};

namespace {

template <class T>
T& Need(T* component, const char* name) {
    if (component == nullptr)
        throw std::runtime_error(std::string("the browser window has no component ") + name);
    return *component;
}

}  // namespace

TBrowserWindow::TBrowserWindow(forms::TComponent* owner, TBrowserPaths paths, TBrowserWindowOptions options)
    : TForm(owner), m_paths(std::move(paths)), m_options(std::move(options)) {
    if (m_options.Starter == nullptr) {
        m_ownStarter = std::make_unique<TProcessStarter>();
        m_options.Starter = m_ownStarter.get();
    }
    PublishComponents();
    PublishHandlers();
}

TBrowserWindow::~TBrowserWindow() {
    // The logic goes first: it unbinds from the adapters and, when no close handler ran, writes
    // the packages' files while every component still exists.
    m_browser.reset();
    m_adapters.reset();
}

TBrowserWindow* TBrowserWindow::Create(forms::TComponent* owner, TBrowserPaths paths,
                                       TBrowserWindowOptions options, const std::string& resource) {
    auto* window = new TBrowserWindow(owner, std::move(paths), std::move(options));
    try {
        forms::ReadComponentResourceNamed(*window, resource);
        window->DoCreate();
    } catch (...) {
        delete window;
        throw;
    }
    return window;
}

void TBrowserWindow::PublishComponents() {
    PublishField("cbxPackage", cbxPackage);
    PublishField("cbxSeverity", cbxSeverity);
    PublishField("udPageNext", udPageNext);
    PublishField("lblStatus", lblStatus);
    PublishField("lblPuzzles", lblPuzzles);
    PublishField("lblPuzzlePage", lblPuzzlePage);
    PublishField("btnStart", btnStart);
    PublishField("btnHelp", btnHelp);
    PublishField("btnHomepage", btnHomepage);
    PublishField("bsSkinButton1", bsSkinButton1);
    PublishField("Image1", Image1);
    PublishField("Image2", Image2);
    PublishField("Image3", Image3);
    PublishField("Image4", Image4);
    PublishField("Image5", Image5);
    PublishField("Image6", Image6);
    PublishField("Bevel1", Bevel1);
    PublishField("bevel2", bevel2);
    PublishField("bevel3", bevel3);
    PublishField("bevel4", bevel4);
    PublishField("bevel5", bevel5);
    PublishField("bevel6", bevel6);
    PublishField("lblMore", lblMore);
    PublishField("lblNewsletter", lblNewsletter);
    PublishField("dlgMessage", dlgMessage);
    PublishField("bsSkinForm1", bsSkinForm1);
    PublishField("bsSkinData1", bsSkinData1);
}

void TBrowserWindow::PublishHandlers() {
    using Notify = void(forms::TComponent*);
    PublishMethod<Notify>("FormCreate", [this](forms::TComponent*) { FormCreate(); });
    PublishMethod<Notify>("FormShow", [this](forms::TComponent*) { FormShow(); });
    PublishMethod<Notify>("FormActivate", [this](forms::TComponent*) { FormActivate(); });
    PublishMethod<void(forms::TComponent*, forms::TCloseAction&)>(
        "FormClose", [this](forms::TComponent*, forms::TCloseAction&) { FormClose(); });

    // Each handler passes its event to the adapter the browser's logic listens on; before the
    // create handler (and after the window's logic is gone) there is nobody to tell.
    auto relay = [this](const char* name, TBrowserEvent IBrowserImage::*event, int slot) {
        PublishMethod<Notify>(name, [this, event, slot](forms::TComponent*) {
            if (m_adapters) Fire(m_adapters->images[static_cast<std::size_t>(slot)].*event);
        });
    };
    const std::array<const char*, 6> clicks = {"Image1Click", "Image2Click", "Image3Click",
                                               "Image4Click", "Image5Click", "Image6Click"};
    const std::array<const char*, 6> dblClicks = {"Image1DblClick", "Image2DblClick", "Image3DblClick",
                                                  "Image4DblClick", "Image5DblClick", "Image6DblClick"};
    for (int s = 0; s < 6; ++s) {
        relay(clicks[static_cast<std::size_t>(s)], &IBrowserImage::OnClick, s);
        relay(dblClicks[static_cast<std::size_t>(s)], &IBrowserImage::OnDblClick, s);
    }

    auto publish = [this](const char* name, auto select) {
        PublishMethod<Notify>(name, [this, select](forms::TComponent*) {
            if (m_adapters) Fire(select(*m_adapters));
        });
    };
    publish("udPageNextUpButtonClick",
            [](TBrowserAdapters& a) -> TBrowserEvent& { return a.udPageNext.OnUpButtonClick; });
    publish("udPageNextDownButtonClick",
            [](TBrowserAdapters& a) -> TBrowserEvent& { return a.udPageNext.OnDownButtonClick; });
    publish("cbxPackageChange", [](TBrowserAdapters& a) -> TBrowserEvent& { return a.cbxPackage.OnChange; });
    publish("cbxPackageCloseUp",
            [](TBrowserAdapters& a) -> TBrowserEvent& { return a.cbxPackage.OnCloseUp; });
    publish("cbxSeverityChange",
            [](TBrowserAdapters& a) -> TBrowserEvent& { return a.cbxSeverity.OnChange; });
    publish("cbxSeverityCloseUp",
            [](TBrowserAdapters& a) -> TBrowserEvent& { return a.cbxSeverity.OnCloseUp; });
    publish("cbxSeverityExit", [](TBrowserAdapters& a) -> TBrowserEvent& { return a.cbxSeverity.OnExit; });
    publish("btnStartClick", [](TBrowserAdapters& a) -> TBrowserEvent& { return a.btnStart.OnClick; });
    publish("btnHelpClick", [](TBrowserAdapters& a) -> TBrowserEvent& { return a.btnHelp.OnClick; });
    publish("btnHomepageClick", [](TBrowserAdapters& a) -> TBrowserEvent& { return a.btnHomepage.OnClick; });
    publish("bsSkinButton1Click",
            [](TBrowserAdapters& a) -> TBrowserEvent& { return a.bsSkinButton1.OnClick; });
}

void TBrowserWindow::FormCreate() {
    m_adapters.reset(new TBrowserAdapters{
        TComboBoxAdapter(Need(cbxPackage, "cbxPackage")),
        TComboBoxAdapter(Need(cbxSeverity, "cbxSeverity")),
        TUpDownAdapter(Need(udPageNext, "udPageNext")),
        TLabelAdapter(Need(lblStatus, "lblStatus")),
        TLabelAdapter(Need(lblPuzzles, "lblPuzzles")),
        TLabelAdapter(Need(lblPuzzlePage, "lblPuzzlePage")),
        TButtonAdapter(Need(btnStart, "btnStart")),
        TButtonAdapter(Need(btnHelp, "btnHelp")),
        TButtonAdapter(Need(btnHomepage, "btnHomepage")),
        TButtonAdapter(Need(bsSkinButton1, "bsSkinButton1")),
        {TImageAdapter(Need(Image1, "Image1")), TImageAdapter(Need(Image2, "Image2")),
         TImageAdapter(Need(Image3, "Image3")), TImageAdapter(Need(Image4, "Image4")),
         TImageAdapter(Need(Image5, "Image5")), TImageAdapter(Need(Image6, "Image6"))},
        {TFrameAdapter(Need(Bevel1, "Bevel1")), TFrameAdapter(Need(bevel2, "bevel2")),
         TFrameAdapter(Need(bevel3, "bevel3")), TFrameAdapter(Need(bevel4, "bevel4")),
         TFrameAdapter(Need(bevel5, "bevel5")), TFrameAdapter(Need(bevel6, "bevel6"))},
        TLinkAdapter(Need(lblMore, "lblMore")),
        TLinkAdapter(Need(lblNewsletter, "lblNewsletter")),
        TMessageBoxAdapter(Need(dlgMessage, "dlgMessage"), m_options.MessageLog),
        TWindowAdapter(*this),
    });
    TBrowserServices services;
    services.MessageBox = &m_adapters->messageBox;
    services.Starter = m_options.Starter;
    services.Window = &m_adapters->window;
    m_browser = std::make_unique<TBrowser>(m_adapters->Controls(), services, m_paths);
    m_browser->FormCreate();
}

void TBrowserWindow::FormShow() {
    if (m_browser) m_browser->FormShow();
    // Without a focused control the first one in tab order takes the focus, so that the keyboard
    // works from the start.
    if (Visible() && ActiveControl() == nullptr) {
        if (forms::TWinControl* first = FindNextControl(nullptr, true, true, false)) SetActiveControl(first);
    }
}

void TBrowserWindow::FormActivate() {
    if (m_browser) m_browser->FormActivate();
}

void TBrowserWindow::FormClose() {
    if (m_browser) m_browser->FormClose();
}

}  // namespace app::program
