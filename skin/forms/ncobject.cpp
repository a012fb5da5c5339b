#include "ncobject.h"

#include "winskinform.h"

namespace tarnivo {

void TNCObject::MouseDown()
{
    if (Form->HotObject && Form->HotObject != this)
        Form->HotObject->MouseLeave();
    if (!Visible)
        return;
    Form->HotObject = this;
    State = 2;
    Draw();
}

void TNCObject::MouseUp()
{
    if (!Visible)
        return;
    State = 3;
    Draw();
}

void TNCObject::MouseEnter()
{
    if (!Visible || Form->HotObject == this)
        return;
    if (Form->HotObject)
        Form->HotObject->MouseLeave();
    Form->HotObject = this;
    State = 3;
    Draw();
}

void TNCObject::MouseLeave()
{
    if (!Visible)
        return;
    Form->HotObject = nullptr;
    State = 1;
    Draw();
}

void TWinSysButton::Draw()
{
    Form->DrawSysbtn(this, State);
}

} // namespace tarnivo
