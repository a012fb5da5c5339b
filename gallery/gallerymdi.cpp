#include "gallerymdi.h"

#include "galleryforms.h"

#include <vector>

namespace tarnivo::gallery {

TGalleryMdiFrame::TGalleryMdiFrame(TComponent* owner, TRect bounds) : TForm(owner)
{
    LoadLayout([this, bounds] {
        SetCaption("MDI frame");
        SetPosition(poDesigned);
        SetBounds(bounds.left, bounds.top, RectWidth(bounds), RectHeight(bounds));
        SetFormStyle(fsMDIForm);
        BuildMenu();
    });
}

void TGalleryMdiFrame::BuildMenu()
{
    auto* menu = new TMainMenu(this);
    TMenuItem* window = AddItem(this, menu->Items(), "&Window");
    AddItem(this, window, "&New", [this](TObject*) { NewDocument(); });
    AddItem(this, window, "&Tile", [this](TObject*) { Tile(); });
    AddItem(this, window, "&Cascade", [this](TObject*) { Cascade(); });
    AddItem(this, window, "C&lose all", [this](TObject*) { CloseAll(); });
    SetMenu(menu);
    SetWindowMenu(window);
}

TForm* TGalleryMdiFrame::NewDocument()
{
    HandleNeeded();
    ++m_documents;
    const int step = 30 * ((m_documents - 1) % 8);
    TForm* child = MakeForm<TGalleryForm>(this, bsSizeable, "Document " + std::to_string(m_documents),
                                          Bounds(10 + step, 10 + step, 260, 180),
                                          "A document window");
    child->SetFormStyle(fsMDIChild);
    child->Show();
    return child;
}

void TGalleryMdiFrame::CloseAll()
{
    std::vector<TForm*> children;
    for (int i = 0; i < MDIChildCount(); ++i)
        children.push_back(MDIChildren(i));
    for (TForm* child : children)
        child->Close();
}

} // namespace tarnivo::gallery
