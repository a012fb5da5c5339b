#include "gallerymenus.h"

#include "galleryforms.h"

#include "tray/trayicon.h"

#include "framework/application.h"
#include "framework/bitmap.h"
#include "framework/controls/label.h"
#include "framework/imagelist.h"

#include <utility>

namespace tarnivo::gallery {

namespace {

// Right of the main form's row of windows; shown on top when asked for.
constexpr TRect kMenusBounds{860, 300, 1180, 520};

} // namespace

TGalleryMenusForm::TGalleryMenusForm(TComponent* owner) : TForm(owner)
{
    SetBorderStyle(bsSizeable);
    SetCaption("Menus");
    SetPosition(poDesigned);
    SetBounds(kMenusBounds.left, kMenusBounds.top, RectWidth(kMenusBounds),
              RectHeight(kMenusBounds));
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);
    LoadLayout([this] {
        auto* label = new TLabel(this);
        label->SetBounds(12, 12, 0, 0);
        label->SetParent(this);
        label->SetCaption("Entries with images, checks, radio items,\n"
                          "separators, disabled entries and shortcuts");
        BuildImages();
        BuildMenu();
    });
}

void TGalleryMenusForm::BuildImages()
{
    m_images = new TImageList(this);
    m_images->SetSize(16, 16);
    for (TColor color : kGalleryImageColors) {
        TBitmap image;
        image.SetSize(16, 16);
        image.Canvas().Brush().SetColor(color);
        image.Canvas().FillRect(TRect{0, 0, 16, 16});
        m_images->Add(image, nullptr);
    }
}

void TGalleryMenusForm::BuildMenu()
{
    m_menu = new TMainMenu(this);
    m_menu->SetImages(m_images);
    TMenuItem* root = m_menu->Items();

    TMenuItem* file = AddItem(this, root, "&File");
    TMenuItem* open = AddItem(this, file, "&Open...");
    open->SetImageIndex(0);
    open->SetShortCut(ShortCut('O', scCtrl));
    TMenuItem* save = AddItem(this, file, "&Save");
    save->SetImageIndex(1);
    save->SetShortCut(ShortCut('S', scCtrl));
    AddItem(this, file, "-");
    TMenuItem* print = AddItem(this, file, "&Print");
    print->SetShortCut(ShortCut('P', scCtrl));
    print->SetEnabled(false);
    AddItem(this, file, "-");
    AddItem(this, file, "&Close", [this](TObject*) { Hide(); });

    TMenuItem* view = AddItem(this, root, "&View");
    TMenuItem* toolbar = AddItem(this, view, "&Toolbar");
    toolbar->SetChecked(true);
    toolbar->OnClick = [toolbar](TObject*) { toolbar->SetChecked(!toolbar->Checked()); };
    TMenuItem* status = AddItem(this, view, "&Status bar");
    status->OnClick = [status](TObject*) { status->SetChecked(!status->Checked()); };
    AddItem(this, view, "-");
    m_large = AddItem(this, view, "&Large icons", [this](TObject*) { SelectSize(m_large); });
    m_small = AddItem(this, view, "S&mall icons", [this](TObject*) { SelectSize(m_small); });
    m_large->SetRadioItem(true);
    m_small->SetRadioItem(true);
    SelectSize(m_large);
    AddItem(this, view, "-");
    AddItem(this, view, "&Refresh")->SetShortCut(ShortCut(VK_F5));

    TMenuItem* help = AddItem(this, root, "&Help");
    AddItem(this, help, "&About the menus");
    SetMenu(m_menu);
}

void TGalleryMenusForm::SelectSize(TMenuItem* item)
{
    m_large->SetChecked(item == m_large);
    m_small->SetChecked(item == m_small);
}

TTrayIcon* MakeGalleryTrayIcon(TForm* owner, std::function<void()> nextSkin)
{
    auto* menu = new TPopupMenu(owner);
    AddItem(owner, menu->Items(), "&Show the gallery", [owner](TObject*) {
        owner->Show();
        SetForegroundWindow(owner->Handle());
    });
    AddItem(owner, menu->Items(), "&Next skin\tF2", [nextSkin](TObject*) { nextSkin(); });
    AddItem(owner, menu->Items(), "-");
    AddItem(owner, menu->Items(), "E&xit", [owner](TObject*) { owner->Close(); });

    auto* tray = new TTrayIcon(owner);
    tray->SetHint("SkinGallery");
    tray->SetPopupMenu(menu);
    tray->SetPopupMenuOn(imRightClickUp);
    tray->SetRestoreOn(imNone);
    return tray;
}

} // namespace tarnivo::gallery
