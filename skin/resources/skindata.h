#pragma once
// TSkinData: the component an application puts on its main form to get a
// skinned look. It owns the skin file bytes ("SkinStream"), loads them into
// the element objects and scheme colours every painter reads, holds the
// options that say what is skinned, and asks the process-wide skin manager to
// switch skinning on, off or to a new skin.

#include "skincolors.h"
#include "skinelements.h"
#include "skinscale.h"

#include "framework/bitmap.h"
#include "framework/component.h"
#include "framework/events.h"
#include "framework/font.h"
#include "framework/gdiobjects.h"
#include "framework/sets.h"
#include "framework/streams.h"
#include "framework/stringlist.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tarnivo {

class TControl;
class TForm;
class TImageList;
class TSkinStore;

enum TSkinOption {
    xoMDIScrollbar,
    xoMenuMerge,
    xoTransparent,
    xoPreview,
    xoParentBackGround,
    xoNoFocusRect,
    xoToolbarBK,
    xoMDIChildBorder,
    xoMenuBG,
    xoFormScrollbar,
};
using TSkinOptions = TSet<TSkinOption>;

enum TSkinControlType {
    xcMainMenu,
    xcPopupMenu,
    xcMenuItem,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcCheckBox,
    xcRadioButton,
    xcProgress,
    xcScrollbar,
    xcEdit,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcSpin,
    xcPanel,
    xcGroupBox,
    xcStatusBar,
    xcTab,
    xcTrackBar,
    xcSystemMenu,
    xcFastReport,
};
using TSkinControlTypes = TSet<TSkinControlType>;

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog, sfDLL };

// The kinds of container searched for controls.
enum TWinContainer {
    xccForm,
    xccFrame,
    xccToolbar,
    xccCoolbar,
    xccControlbar,
    xccPanel,
    xccScrollBox,
    xccGroupBox,
    xccTabSheet,
    xccPageScroller,
};
using TWinContainers = TSet<TWinContainer>;

using TOnFormSkin = std::function<void(TObject* Sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinForm = std::function<void(TObject* Sender, HWND ahwnd, const std::string& aName)>;
using TOnSkinControl =
    std::function<void(TComponent* Sender, class TSkinData* SkinData, TControl* Form,
                       TControl* Control, const std::string& ControlClass,
                       TComponent*& SkinnedControl)>;

// A "SkinStream" property whose bytes are no skin the engine takes; the
// message says why (the component keeps the skin it had).
class ESkinLoadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class TSkinData : public TComponent {
    TARNIVO_PUBLISHED_CLASS()
public:
    static constexpr const char* VersionText = "4.12.07.30";
    static constexpr std::int32_t DefaultDisableTag = 99;
    // Every control type except item skinning and the FastReport filter.
    static constexpr TSkinControlTypes DefaultSkinControls =
        TSkinControlTypes::FromBits((std::uint64_t{1} << (xcFastReport + 1)) - 1) -
        TSkinControlTypes{xcMenuItem, xcFastReport};
    static constexpr TSkinOptions DefaultOptions{xoPreview, xoToolbarBK};
    // A "SkinStream" longer than this is refused rather than read.
    static constexpr std::int64_t MaxSkinStreamBytes = 64 * 1024 * 1024;

    explicit TSkinData(TComponent* owner);
    ~TSkinData() override;

    // Published properties, in their stored order.
    bool Active() const { return m_active; }
    void SetActive(bool active);
    std::int32_t DisableTag() const { return m_disableTag; }
    void SetDisableTag(std::int32_t tag) { m_disableTag = tag; }
    TSkinControlTypes SkinControls() const { return m_skinControls; }
    void SetSkinControls(TSkinControlTypes controls) { m_skinControls = controls; }
    TSkinOptions Options() const { return m_options; }
    void SetOptions(TSkinOptions options) { m_options = options; }
    const TStringList& Skin3rd() const { return m_skin3rd; }
    void SetSkin3rd(const TStringList& map) { m_skin3rd.Assign(map); }
    const std::string& SkinFile() const { return m_skinFile; }
    void SetSkinFile(const std::string& fileName) { LoadFromFile(fileName); }
    // "(Good)" at design time with an embedded skin, else "(none)"; assigning
    // it changes nothing.
    std::string SkinStore() const;
    void SetSkinStore(const std::string&) {}
    TSkinFormType SkinFormtype() const { return m_skinFormtype; }
    void SetSkinFormtype(TSkinFormType type) { m_skinFormtype = type; }
    std::string Version() const { return VersionText; }
    void SetVersion(const std::string&) {}
    bool MenuUpdate() const { return m_menuUpdate; }
    void SetMenuUpdate(bool update) { m_menuUpdate = update; }
    bool MenuMerge() const { return m_menuMerge; }
    void SetMenuMerge(bool merge) { m_menuMerge = merge; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // The binary property "SkinStream": a 4-byte little-endian byte count,
    // then that many bytes of skin file. ReadData loads the skin at once
    // (not while designing); a count past the end of the data or above
    // MaxSkinStreamBytes raises EStreamError, and bytes that do not load
    // raise ESkinLoadError; either changes nothing.
    void ReadData(TStream& stream);
    // Writes nothing for an empty skin stream (HasSkinStream is false).
    void WriteData(TStream& stream) const;
    bool HasSkinStream() const;
    // Reads the property from an RCDATA resource of `module`, as a stored
    // layout carries it; false when the resource does not exist.
    bool ReadSkinStreamResource(HINSTANCE module, const char* resourceName);
    // The skin file bytes as loaded.
    const TMemoryStream& SkinStream() const { return m_skinStream; }
    std::int64_t SkinStreamSize() const;

    // Loading. Each replaces the skin only when the new one loads and
    // answers whether it did; a skin that does not load (no such file, not a
    // skin file, another format version, images beyond their budget) leaves
    // the component exactly as it was, and LoadError says why.
    bool LoadFromFile(const std::string& fileName);
    bool LoadFromStream(TStream& stream);
    bool LoadFromCollection(TSkinStore* store, int index);
    // Loads the skin stream; answers whether a skin was loaded.
    bool LoadSkin();
    // Why the last load failed; empty after a load that succeeded.
    const std::string& LoadError() const { return m_loadError; }
    // Applies a newly loaded skin to every window skinned with this component.
    void UpdateSkin();

    // Switching, through the skin manager.
    void Install();
    void Uninstall();
    void ChangeForm(TForm* form);
    void SkinForm(HWND window);
    void EnableSkin(bool enable);
    void InstallThread(DWORD threadId);
    void UnInstallThread(DWORD threadId);

    // Refreshes of one skinned form.
    void UpdateSkinControl(TForm* form, TControl* control);
    void UpdateMenu(TForm* form);
    void UpdateMainMenu(bool update);
    void AddNestForm(TControl* host, TForm* nested);
    void DeleteGraphicControl(TForm* form, TControl* control);
    // Stored by UpdateMainMenu; the frame painter paints only while it is on.
    bool MainMenuUpdate() const { return m_mainMenuUpdate; }
    // Switches it without telling the skinned forms (a form that handles a
    // menu change of its own turns frame painting off around it).
    void SetMainMenuUpdate(bool update) { m_mainMenuUpdate = update; }

    // Sets the published enumeration (or Boolean) property `name` of
    // `object` from its member name ("bsFlat", "False"). Answers false,
    // changing nothing, when there is no such property or no such member.
    bool ChangeProperty(TPersistent* object, const std::string& name, const std::string& value);

    TColor GetCaptionColor() const { return m_elements.Colors[csCaption]; }
    bool GetScrollBarInfo(HWND window, LONG bar, SCROLLBARINFO& info) const;

    // Asked by the manager before it skins a window of class `name`.
    void DoFormSkin(HWND window, const std::string& name, bool& DoSkin);
    void DoSkinChanged();

    // What painters read. None of these throws.
    //
    // The element set lives as long as the component, and its fixed elements
    // (borders, Buttons, Title; Track, TrackVert, ComboxArrow and Toolbar
    // after the first load) keep their addresses across loads: a pointer to
    // one stays valid and shows the newest skin. See TSkinElements.
    const TSkinElements& Elements() const { return m_elements; }
    // The elements a window at `dpi` draws from: Elements() at 96 DPI, a
    // scaled copy otherwise (skinscale.h), made on first use and kept while
    // the skin lives. A reload gives each copy the new skin, its fixed
    // elements keeping their addresses as Elements()' do.
    const TSkinElements& ElementsAt(int dpi) const { return m_scaled.At(m_elements, dpi); }
    // Changes with every completed load (see TSkinElements::Generation):
    // what a painter caches from the skin is stale when it differs.
    std::uint32_t Generation() const { return m_elements.Generation(); }
    // A scheme colour; clNotGiven for a value outside TShemeColor.
    TColor Colors(TShemeColor color) const;
    // Custom colour 0 to 9 ([Customcolors] "Color0" to "Color9", white when
    // the skin leaves one out); clNotGiven for any other index.
    TColor CustomColors(int index) const;
    const std::string& SkinName() const { return m_elements.SkinName; }
    // A solid brush of csButtonFace, made again after every load.
    HBRUSH ButtonFaceBrush() const { return m_buttonFaceBrush.Get(); }
    const TFont& CaptionFont() const { return m_captionFont; }
    // The application's small icon on magenta, magenta transparent.
    const TBitmap& AppIcon() const { return m_appIcon; }
    // Four 16 x 16 glyphs for the window-menu items; null without the
    // "ORVEXMENU" resource.
    TImageList* MenuGlyphs() const { return m_menuGlyphs.get(); }
    TSize MaximizedSize() const { return m_maximizedSize; }
    TWinContainers Containers() const { return m_containers; }
    // The window DoFormSkin was last asked about.
    HWND FormSkinWindow() const { return m_formSkinWindow; }
    // Set from creation and during a load, until a skin has been loaded.
    bool Empty() const { return m_empty; }

    void CaptureAppIcon();

protected:
    void Loaded() override;

private:
    std::unique_ptr<TSkinElements> ReadSkin(TMemoryStream& candidate);
    std::unique_ptr<TSkinElements> ReadDrawn200() const;
    bool LoadSkinFrom(TMemoryStream& candidate);
    bool Refuse(std::string reason);
    void CreateCaptionFont();
    void LoadMenuGlyphs();
    void RecreateButtonFaceBrush();
    void RequestAction(int action);
    bool Reading() const;

    bool m_active = false;
    std::int32_t m_disableTag = DefaultDisableTag;
    TSkinControlTypes m_skinControls = DefaultSkinControls;
    TSkinOptions m_options = DefaultOptions;
    TStringList m_skin3rd;
    std::string m_skinFile;
    TSkinFormType m_skinFormtype = sfMainform;
    bool m_menuUpdate = true;
    bool m_menuMerge = false;
    bool m_mainMenuUpdate = true;
    TWinContainers m_containers;

    TMemoryStream m_skinStream;
    TSkinElements m_elements;
    mutable TScaledSkins m_scaled;         // copies of m_elements per DPI in use
    GdiBrush m_buttonFaceBrush;
    TFont m_captionFont;
    TBitmap m_appIcon;
    std::unique_ptr<TImageList> m_menuGlyphs;
    TSize m_maximizedSize{};
    HWND m_formSkinWindow = nullptr;
    bool m_empty = true;
    std::string m_loadError;
    bool m_joined = false;   // added to the manager's list
};

} // namespace tarnivo
