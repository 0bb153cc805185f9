#include "app/program/BrowserWindow.h"

#include <stdexcept>

#include "app/program/ControlAdapters.h"
#include "app/program/PreviewGrid.h"
#include "app/program/SkinAdapters.h"
#include "app/program/SkinChooser.h"
#include "platform/forms/FormResource.h"
#include "platform/forms/StdCtrls.h"
#include "skin/controls/bsSkinCtrlsBevel.h"
#include "skin/controls/bsSkinCtrlsButton.h"
#include "skin/controls/bsSkinCtrlsLabels.h"
#include "skin/form/bsSkinForm.h"

namespace app::program {

namespace forms = platform::forms;

namespace {

// The adapter for each kind of control.
template <class Kind>
struct TAdapterOf;
template <>
struct TAdapterOf<IBrowserComboBox> {
    using Type = TComboBoxAdapter;
};
template <>
struct TAdapterOf<IBrowserUpDown> {
    using Type = TUpDownAdapter;
};
template <>
struct TAdapterOf<IBrowserLabel> {
    using Type = TLabelAdapter;
};
template <>
struct TAdapterOf<IBrowserButton> {
    using Type = TButtonAdapter;
};
template <>
struct TAdapterOf<IBrowserImage> {
    using Type = TImageAdapter;
};
template <>
struct TAdapterOf<IBrowserFrame> {
    using Type = TFrameAdapter;
};
template <>
struct TAdapterOf<IBrowserLink> {
    using Type = TLinkAdapter;
};
template <class Kind>
using TAdapter = typename TAdapterOf<Kind>::Type;

template <class T>
T& Need(T* component, const char* name) {
    if (component == nullptr)
        throw std::runtime_error(std::string("the browser window has no component ") + name);
    return *component;
}

}  // namespace

struct TBrowserAdapters : TBrowserControlSet<TAdapter> {};

TBrowserWindow::TBrowserWindow(forms::TComponent* owner, TBrowserPaths paths, TBrowserWindowOptions options)
    : TForm(owner),
      m_paths(std::move(paths)),
      m_options(std::move(options)),
      m_adapters(std::make_shared<TBrowserAdapters>()) {
    if (m_options.Starter == nullptr) {
        m_ownStarter = std::make_unique<TProcessStarter>();
        m_options.Starter = m_ownStarter.get();
    }
    PublishComponents();
    PublishHandlers();
}

TBrowserWindow::~TBrowserWindow() {
    m_skinChooser.reset();
    // The logic goes first: it unbinds from the adapters and, when no close handler ran, writes
    // the packages' files while every component still exists.
    m_browser.reset();
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
    ForEachBrowserControl([this](const char* name, auto*& field) { PublishField(name, field); }, Controls());
    PublishField("dlgMessage", dlgMessage);
    PublishField("bsSkinForm1", bsSkinForm1);
    PublishField("bsSkinData1", bsSkinData1);
    PublishField("bsStoredSkin1", bsStoredSkin1);
}

void TBrowserWindow::PublishHandlers() {
    using Notify = void(forms::TComponent*);
    PublishMethod<Notify>("FormCreate", [this](forms::TComponent*) { FormCreate(); });
    PublishMethod<Notify>("FormShow", [this](forms::TComponent*) { FormShow(); });
    PublishMethod<Notify>("FormActivate", [this](forms::TComponent*) { FormActivate(); });
    PublishMethod<void(forms::TComponent*, forms::TCloseAction&)>(
        "FormClose", [this](forms::TComponent*, forms::TCloseAction&) { FormClose(); });

    // A control's event fires its adapter's event, which the browser binds to its handler; before
    // the create handler (and after the browser is gone) it is unbound and nothing happens.
    ForEachBrowserControl(
        [this](const char* name, auto& adapter) {
            for (const TAdapterEvent& e : adapter.Events()) {
                std::shared_ptr<TBrowserEvent> event(m_adapters, e.Event);
                PublishMethod<Notify>(std::string(name) + e.Suffix,
                                      [event](forms::TComponent*) { Fire(*event); });
            }
        },
        *m_adapters);
}

void TBrowserWindow::FormCreate() {
    ForEachBrowserControl(
        [](const char* name, auto* component, auto& adapter) { adapter.Attach(Need(component, name)); },
        Controls(), *m_adapters);
    m_messageBox = std::make_unique<TMessageBoxAdapter>(Need(dlgMessage, "dlgMessage"), m_options.MessageLog);
    m_windowAdapter = std::make_unique<TWindowAdapter>(*this);
    TBrowserControls controls;
    ForEachBrowserControl([](const char*, auto& adapter, auto*& control) { control = &adapter; }, *m_adapters,
                          controls);
    TBrowserServices services;
    services.MessageBox = m_messageBox.get();
    services.Starter = m_options.Starter;
    services.Window = m_windowAdapter.get();
    m_browser = std::make_unique<TBrowser>(controls, services, m_paths);
    CreateKeyboardControls();
    m_browser->FormCreate();
    CreateSkinChooser();
}

void TBrowserWindow::CreateSkinChooser() {
    if (bsSkinData1 == nullptr || bsSkinForm1 == nullptr) return;
    m_skinChooser =
        std::make_unique<TSkinChooser>(*this, *bsSkinData1, bsStoredSkin1, [this](const std::string& text) {
            if (m_browser) m_browser->ShowText(text);
        });
    m_skinChooser->Refresh(m_browser->SkinFolders());
    bsSkinForm1->SetSystemMenu(m_skinChooser->Menu());
    // The skin chosen in an earlier run; one that is gone or broken since gives the built-in skin.
    if (!m_browser->Skin.empty() && !m_skinChooser->Choose(m_browser->Skin, true)) m_browser->Skin.clear();
    m_skinChooser->OnChosen = [this](const std::string& path) {
        if (m_browser) m_browser->Skin = path;
    };
}

void TBrowserWindow::CreateKeyboardControls() {
    // The labels name the controls they label, with a letter that no button uses.
    const auto label = [this](const char* name) {
        return dynamic_cast<forms::TCustomLabel*>(FindComponent(name));
    };
    if (forms::TCustomLabel* package = label("bsSkinStdLabel1")) {
        package->SetCaption("&Package / Paket:");
        package->SetFocusControl(cbxPackage);
    }
    if (forms::TCustomLabel* severity = label("bsSkinStdLabel2")) {
        severity->SetCaption("Se&verity / Schwierigkeitsgrad:");
        severity->SetFocusControl(cbxSeverity);
    }

    const forms::TControl* first = Bevel1;
    shpPreviewFocus = new TPreviewFocusFrame(this);
    shpPreviewFocus->SetName("shpPreviewFocus");
    shpPreviewFocus->SetVisible(false);
    shpPreviewFocus->SetBounds(first->Left(), first->Top(), first->Width(), first->Height());
    shpPreviewFocus->SetParent(this);

    grdPreviews = new TPreviewGrid(this);
    grdPreviews->SetName("grdPreviews");
    grdPreviews->SetBounds(first->Left(), first->Top(), 0, 0);
    grdPreviews->SetParent(this);
    if (auto* puzzles = dynamic_cast<forms::TCustomLabel*>(lblPuzzles)) puzzles->SetFocusControl(grdPreviews);
    m_adapters->lblPuzzles.SetMnemonic('z');

    // The browser goes before the components (see the destructor): keys then reach nothing.
    grdPreviews->OnPreviewKey = [this](TPreviewKey key) {
        if (m_browser) m_browser->PreviewKey(key);
    };
    grdPreviews->OnSeverityKey = [this](int severity) {
        if (m_browser) m_browser->ChooseSeverity(severity);
    };
    grdPreviews->OnFocusChanged = [this](bool) { PlaceFocusFrame(); };
    m_browser->OnViewRefreshed = [this] { PlaceFocusFrame(); };
}

void TBrowserWindow::PlaceFocusFrame() {
    if (shpPreviewFocus == nullptr || grdPreviews == nullptr || !m_browser) return;
    // The frame sits on the selected preview's bevel while the grid has the focus.
    forms::TControl* selected = nullptr;
    ForEachBrowserControl(TOverloaded{[&](const char*, skin::TbsSkinBevel* bevel) {
                                          if (bevel->Visible()) selected = bevel;
                                      },
                                      [](const char*, auto*) {}},
                          Controls());
    const bool show = selected != nullptr && grdPreviews->Focused();
    if (selected != nullptr) {
        shpPreviewFocus->SetBounds(selected->Left(), selected->Top(), selected->Width(), selected->Height());
        grdPreviews->SetBounds(selected->Left(), selected->Top(), 0, 0);
    }
    shpPreviewFocus->SetVisible(show);
    if (show) shpPreviewFocus->BringToFront();
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
