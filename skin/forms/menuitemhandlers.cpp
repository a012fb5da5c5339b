#include "menuitemhandlers.h"

#include "winskinform.h"

#include "framework/controls/frame.h"
#include "framework/form.h"

namespace tarnivo {

void TFormItemDraw::operator()(TObject* sender, TCanvas& canvas, const TRect& rect,
                               bool selected) const
{
    if (Alive) {
        Form->DrawMenuItem(sender, canvas, rect, selected);
        return;
    }
    if (auto* item = dynamic_cast<TMenuItem*>(sender))
        item->DefaultDrawItem(canvas, rect, selected);
}

void TFormItemMeasure::operator()(TObject* sender, TCanvas& canvas, int& width,
                                  int& height) const
{
    if (!Alive)
        return;
    if (Kind == TItemMeasure::Popup)
        Form->MeasureItemPop(sender, canvas, width, height);
    else
        Form->MeasureItem(sender, canvas, width, height);
}

TMenuDrawItemEvent FormItemDraw(TWinSkinForm& form)
{
    return TFormItemDraw{&form, form.LiveToken()};
}

TMenuMeasureItemEvent FormItemMeasure(TWinSkinForm& form, TItemMeasure kind)
{
    return TFormItemMeasure{&form, form.LiveToken(), kind};
}

bool IsFormItemHandler(const TMenuDrawItemEvent& handler, const TWinSkinForm* form)
{
    const auto* ours = handler.target<TFormItemDraw>();
    return ours && (!form || ours->Form == form);
}

bool IsFormItemHandler(const TMenuMeasureItemEvent& handler, const TWinSkinForm* form)
{
    const auto* ours = handler.target<TFormItemMeasure>();
    return ours && (!form || ours->Form == form);
}

namespace {

void DropFromItems(TMenuItem& item, const TWinSkinForm* form)
{
    for (int i = 0; i < item.Count(); ++i) {
        TMenuItem& child = *item.Items(i);
        if (IsFormItemHandler(child.OnDrawItem, form))
            child.OnDrawItem = nullptr;
        if (IsFormItemHandler(child.OnMeasureItem, form))
            child.OnMeasureItem = nullptr;
        DropFromItems(child, form);
    }
}

} // namespace

void DropFormItemHandlers(TComponent* container, const TWinSkinForm* form)
{
    if (!container)
        return;
    for (int i = 0; i < container->ComponentCount(); ++i) {
        TComponent* component = container->Components(i);
        if (dynamic_cast<TCustomFrame*>(component) || dynamic_cast<TForm*>(component))
            DropFormItemHandlers(component, form);
        else if (auto* menu = dynamic_cast<TMenu*>(component))
            DropFromItems(*menu->Items(), form);
    }
}

} // namespace tarnivo
