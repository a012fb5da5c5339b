#pragma once
// TScreen: the forms of the program and the one that is active.

#include <windows.h>

#include <vector>

namespace tarnivo {

class TForm;

class TScreen {
public:
    // The form whose window (or one of whose controls) is active, or null.
    TForm* ActiveForm() const;

    int FormCount() const { return static_cast<int>(m_forms.size()); }
    TForm* Forms(int index) const { return m_forms.at(index); }

    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }

    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

    // The form of this program that was activated last. It stays while
    // another program is in front, so coming back to the same form is not a
    // new activation of it.
    TForm* FocusedForm() const { return m_focusedForm; }
    void SetFocusedForm(TForm* form) { m_focusedForm = form; }

private:
    std::vector<TForm*> m_forms;
    TForm* m_focusedForm = nullptr;
};

extern TScreen* Screen;

} // namespace tarnivo
