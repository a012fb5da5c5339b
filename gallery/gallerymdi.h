#pragma once
// SkinGallery's MDI frame: a frame form with a Window menu (New, Tile,
// Cascade, Close all, then the system's list of the open documents) and
// document windows that each hold a label, an edit and two buttons.

#include "framework/form.h"
#include "framework/menus.h"

#include <string>

namespace tarnivo::gallery {

class TGalleryMdiFrame : public TForm {
public:
    TGalleryMdiFrame(TComponent* owner, TRect bounds);
    std::string ClassName() const override { return "TGalleryMdiFrame"; }

    // Opens one more document, shown and active.
    TForm* NewDocument();
    // Closes every document (each goes when its release message arrives).
    void CloseAll();

private:
    void BuildMenu();

    int m_documents = 0;   // documents opened so far, for their captions
};

} // namespace tarnivo::gallery
