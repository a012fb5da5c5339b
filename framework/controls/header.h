#pragma once
// The header control ("SysHeader32") and its sections.

#include "framework/control.h"
#include "framework/controls/label.h"

#include <functional>
#include <string>
#include <vector>

namespace tarnivo {

class THeaderControl;

// Section `index` of a header, in the window: every call asks it.
class THeaderSection {
public:
    THeaderSection(THeaderControl& owner, int index) : m_owner(&owner), m_index(index) {}

    int Index() const { return m_index; }
    std::string Text() const;
    void SetText(const std::string& text);
    int Width() const;
    void SetWidth(int width);
    TAlignment Alignment() const;
    void SetAlignment(TAlignment alignment);
    // The section's left and right edges in the header's client area.
    int Left() const;
    int Right() const;

private:
    THeaderControl* m_owner;
    int m_index;
};

// The sections of a header. Changing them needs the window (and so a
// parent); an index outside them raises EListError.
class THeaderSections {
public:
    explicit THeaderSections(THeaderControl& owner) : m_owner(owner) {}

    int Count() const;
    // Appends a section and answers its index.
    int Add(const std::string& text, int width, TAlignment alignment = taLeftJustify);
    void Delete(int index);
    void Clear();
    THeaderSection operator[](int index) const { return Item(index); }
    THeaderSection Item(int index) const;

private:
    THeaderControl& m_owner;
};

enum THeaderStyle { hsButtons, hsFlat };

using TSectionNotifyEvent = std::function<void(THeaderControl* header, int section)>;

// A header: sections the user clicks and resizes. OnSectionClick follows a
// click on a section (a button-style header only), OnSectionResize every
// change of a section's width, the user's drag and the program's.
class THeaderControl : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit THeaderControl(TComponent* owner);

    THeaderSections& Sections() { return m_sections; }
    const THeaderSections& Sections() const { return m_sections; }

    THeaderStyle Style() const { return m_style; }
    void SetStyle(THeaderStyle style);
    bool HotTrack() const { return m_hotTrack; }
    void SetHotTrack(bool hotTrack);
    bool FullDrag() const { return m_fullDrag; }
    void SetFullDrag(bool fullDrag);

    TSectionNotifyEvent OnSectionClick;
    TSectionNotifyEvent OnSectionResize;

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    friend class THeaderSection;
    friend class THeaderSections;
    void CheckIndex(int index) const;

    struct SavedSection {
        std::string Text;
        int Width;
        TAlignment Alignment;
    };

    THeaderSections m_sections;
    std::vector<SavedSection> m_saved;   // while the window is recreated
    THeaderStyle m_style = hsButtons;
    bool m_hotTrack = false;
    bool m_fullDrag = true;
};

} // namespace tarnivo
