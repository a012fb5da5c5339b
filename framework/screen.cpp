#include "screen.h"

#include "form.h"

#include <algorithm>

namespace tarnivo {

TForm* TScreen::ActiveForm() const
{
    HWND active = GetActiveWindow();
    for (TForm* form : m_forms)
        if (form->HandleAllocated() && form->Handle() == active)
            return form;
    return nullptr;
}

void TScreen::AddForm(TForm* form)
{
    m_forms.push_back(form);
}

void TScreen::RemoveForm(TForm* form)
{
    std::erase(m_forms, form);
    if (m_focusedForm == form)
        m_focusedForm = nullptr;
}

} // namespace tarnivo
