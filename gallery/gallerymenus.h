#pragma once
// The gallery's menu showcase: a window whose framework main menu has every
// kind of entry the skin draws (images, check marks, radio items,
// separators, disabled entries, shortcut text), and the gallery's icon in
// the notification area with a popup menu on a right click.

#include "framework/form.h"
#include "framework/graphics.h"
#include "framework/menus.h"

#include <functional>

namespace tarnivo {
class TImageList;
class TTrayIcon;
}

namespace tarnivo::gallery {

class TGalleryMenusForm : public TForm {
public:
    explicit TGalleryMenusForm(TComponent* owner);
    std::string ClassName() const override { return "TGalleryMenusForm"; }

private:
    void BuildMenu();
    // Two 16 x 16 images, each one plain colour, so that a picture of an
    // open menu shows where they were drawn.
    void BuildImages();
    // Exactly one of the view-size items is checked.
    void SelectSize(TMenuItem* item);

    TMainMenu* m_menu = nullptr;
    TImageList* m_images = nullptr;
    TMenuItem* m_large = nullptr;
    TMenuItem* m_small = nullptr;
};

// The colours of the showcase's two menu images.
constexpr TColor kGalleryImageColors[2] = {RGBColor(200, 40, 40), RGBColor(40, 160, 40)};

// The gallery's notification-area icon, not yet visible: a right click pops
// up a menu owned by `owner` (made before the skin takes `owner` over, so
// that the skin draws it). Its entries show `owner`, switch to the next skin
// and close `owner`.
TTrayIcon* MakeGalleryTrayIcon(TForm* owner, std::function<void()> nextSkin);

} // namespace tarnivo::gallery
