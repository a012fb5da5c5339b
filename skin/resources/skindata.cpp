#include "skindata.h"

#include "quickini.h"
#include "skin3rd.h"
#include "skinimages.h"
#include "skinloader.h"
#include "skinmanagerif.h"
#include "skinreader.h"
#include "skinstore.h"
#include "user32calls.h"

#include "framework/application.h"
#include "framework/form.h"
#include "framework/imagelist.h"

#include <cstddef>
#include "framework/unicodetext.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tarnivo {

namespace {

// The module whose resources hold this engine's bitmaps: the program, or a
// DLL that links its own copy of the engine.
HINSTANCE EngineModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

void ShowSkinMessage(const std::string& text)
{
    const std::string title = Application ? Application->Title() : std::string();
    MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(title).c_str(), MB_OK);
}

// Sets travel through published properties as their bit masks.
template <typename S, S (TSkinData::*Get)() const, void (TSkinData::*Set)(S)>
TPropInfo SetProperty(const char* name)
{
    TPropInfo p{name, TPropKind::Integer, {}, {}, {}};
    p.Get = [](const TObject& o) {
        return TPropValue{static_cast<std::int64_t>((static_cast<const TSkinData&>(o).*Get)().Bits())};
    };
    p.Set = [](TObject& o, const TPropValue& v) {
        (static_cast<TSkinData&>(o).*Set)(S::FromBits(static_cast<std::uint64_t>(std::get<std::int64_t>(v))));
    };
    return p;
}

TPropInfo Skin3rdProperty()
{
    TPropInfo p{"Skin3rd", TPropKind::Object, {}, {}, {}};
    p.Get = [](const TObject& o) {
        const TStringList& map = static_cast<const TSkinData&>(o).Skin3rd();
        return TPropValue{const_cast<TObject*>(static_cast<const TObject*>(&map))};
    };
    p.Set = [](TObject& o, const TPropValue& v) {
        auto* map = dynamic_cast<TStringList*>(std::get<TObject*>(v));
        if (!map)
            throw EPropertyError("Invalid property value for Skin3rd");
        static_cast<TSkinData&>(o).SetSkin3rd(*map);
    };
    return p;
}

} // namespace

const TClassInfo& TSkinData::StaticClassInfo()
{
    static const TClassInfo info{
        "TSkinData",
        &TComponent::StaticClassInfo(),
        {
            published::Boolean("Active", &TSkinData::Active, &TSkinData::SetActive),
            published::Integer("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag),
            SetProperty<TSkinControlTypes, &TSkinData::SkinControls, &TSkinData::SetSkinControls>(
                "SkinControls"),
            SetProperty<TSkinOptions, &TSkinData::Options, &TSkinData::SetOptions>("Options"),
            Skin3rdProperty(),
            published::Text("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile),
            published::Text("SkinStore", &TSkinData::SkinStore, &TSkinData::SetSkinStore),
            published::Enumeration("SkinFormtype",
                                   {"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"},
                                   &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype),
            published::Text("Version", &TSkinData::Version, &TSkinData::SetVersion),
            published::Boolean("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate),
            published::Boolean("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge),
        }};
    return info;
}

TSkinData::TSkinData(TComponent* owner)
    : TComponent(owner),
      m_containers(TWinContainers::FromBits((std::uint64_t{1} << (xccPageScroller + 1)) - 1))
{
    DefaultSkin3rd(m_skin3rd);
    m_maximizedSize = TSize{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    User32Calls();
    if (!TSkinReader::ShowMessage)
        TSkinReader::ShowMessage = ShowSkinMessage;
    RecreateButtonFaceBrush();
    LoadMenuGlyphs();
    m_scaled.SetDrawn200Reader([this] { return ReadDrawn200(); });
}

TSkinData::~TSkinData()
{
    // Whoever put it on the manager's list, it must not stay there.
    if (ISkinManager* manager = SkinManager())
        manager->RemoveSkinData(this);
}

bool TSkinData::Reading() const
{
    return ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

std::string TSkinData::SkinStore() const
{
    return Designing() && HasSkinStream() ? "(Good)" : "(none)";
}

// Streaming ----------------------------------------------------------------

std::int64_t TSkinData::SkinStreamSize() const
{
    // TStream::Size is not const: it may seek on other kinds of stream.
    return const_cast<TMemoryStream&>(m_skinStream).Size();
}

bool TSkinData::HasSkinStream() const
{
    return SkinStreamSize() > 0;
}

void TSkinData::ReadData(TStream& stream)
{
    const std::int32_t count = stream.ReadInt32();
    if (count == 0)
        return;
    if (count < 0 || count > MaxSkinStreamBytes || count > stream.Size() - stream.Position())
        throw EStreamError("SkinStream: byte count " + std::to_string(count) +
                           " does not fit the stored data");
    TMemoryStream candidate;
    candidate.CopyFrom(stream, count);
    if (Designing())
        m_skinStream.Swap(candidate);
    else if (!LoadSkinFrom(candidate))
        throw ESkinLoadError("SkinStream: " + m_loadError);
}

void TSkinData::WriteData(TStream& stream) const
{
    auto& bytes = const_cast<TMemoryStream&>(m_skinStream);
    const std::int64_t size = bytes.Size();
    if (size <= 0)
        return;
    stream.WriteInt32(static_cast<std::int32_t>(size));
    stream.WriteBuffer(bytes.Memory(), size);
}

bool TSkinData::ReadSkinStreamResource(HINSTANCE module, const char* resourceName)
{
    HRSRC found = FindResourceA(module, resourceName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        return false;
    TMemoryStream property;
    property.WriteBuffer(data, SizeofResource(module, found));
    property.SetPosition(0);
    ReadData(property);
    return true;
}

// Loading ------------------------------------------------------------------

namespace {

// Pictures drawn for 200 %. A skin may carry, beside any picture "name.bmp"
// it names, an entry "name@200.bmp" of exactly twice its width and height,
// drawn for 200 % (crisp lines, glyphs at double size); old skins, which have
// none, stay valid and are scaled from their 96-DPI pictures. The skin is
// read a second time with those entries preferred; windows at 200 % draw the
// result, and windows above 150 % are scaled from it rather than from 96. A
// "@200" entry of another size is not taken (its picture is scaled from 96
// instead), and pictures that would pass the budget of scaled copies make
// the skin draw all scales from its 96-DPI pictures; neither refuses the skin.
constexpr const char* Drawn200Suffix = "@200";

bool HasDrawn200Entries(const TSkinReader& reader)
{
    const TStringList& names = reader.EntryNames();
    for (int i = 0; i < names.Count(); ++i)
        if (LowerCase(names[i]).find("@200.bmp") != std::string::npos)
            return true;
    return false;
}

std::unique_ptr<TSkinElements> ReadDrawn200Set(const TSkinReader& reader, const TQuickIni& ini,
                                               const TSkinElements& base)
{
    if (!HasDrawn200Entries(reader))
        return nullptr;
    TSkinImages images(reader, ScaledSkinBudgetBytes);
    images.PreferVariant(Drawn200Suffix);
    TSkinElements loaded;
    try {
        LoadFromIni(ini, images, loaded, CurrentSkinLoadEnvironment());
    } catch (const ESkinRefused&) {
        return nullptr;
    }
    return images.VariantsUsed() > 0 ? Drawn200(base, loaded) : nullptr;
}

} // namespace

// Reads a candidate skin file into a fresh element set; null, with the
// reason in m_loadError, when it is no skin this engine takes: not a skin
// archive, another format version, images beyond their budget, bitmaps the
// system cannot make.
std::unique_ptr<TSkinElements> TSkinData::ReadSkin(TMemoryStream& candidate)
{
    try {
        TSkinReader reader;
        if (!reader.Loadfromstream(candidate)) {
            m_loadError = "not a skin file: " + reader.LastError();
            return nullptr;
        }
        TQuickIni ini;
        TMemoryStream iniText;
        reader.readIni(".ini", iniText);
        ini.LoadFromStream(&iniText);
        TSkinImages images(reader);
        auto fresh = std::make_unique<TSkinElements>();
        LoadFromIni(ini, images, *fresh, CurrentSkinLoadEnvironment());
        return fresh;
    } catch (const std::exception& e) {
        // Out of memory included: a host must survive any skin it is handed.
        m_loadError = e.what();
        return nullptr;
    }
}

// The load sequence on a candidate skin file. The new skin is read aside and
// taken over only when complete (TakeOver cannot fail), so a failed load
// leaves elements, colours, skin stream and the no-skin mark as they were,
// and a completed one keeps every fixed element where it was. The elements
// the old skin made anew (caption buttons, optional elements) live until the
// windows painted from this component have let go of them.
bool TSkinData::LoadSkinFrom(TMemoryStream& candidate)
{
    if (Designing())
        return false;
    std::unique_ptr<TSkinElements> fresh = ReadSkin(candidate);
    if (!fresh)
        return false;
    m_elements.TakeOver(*fresh);
    if (&candidate != &m_skinStream)
        m_skinStream.Swap(candidate);
    // After the swap: a scale above 150 % in use reads the new skin's 200 %
    // pictures from the skin stream.
    m_scaled.Rebuild(m_elements);
    RecreateButtonFaceBrush();
    m_empty = false;
    m_loadError.clear();
    if (ISkinManager* manager = SkinManager())
        manager->SkinDataReloaded(this);
    return true;
}

// The skin file as loaded, read once more with its 200 % pictures preferred
// (see ReadDrawn200Set above); asked by the scaled sets when a window first
// needs a scale above 150 %. Null for a skin without such pictures.
std::unique_ptr<TSkinElements> TSkinData::ReadDrawn200() const
{
    TMemoryStream bytes;
    bytes.WriteBuffer(m_skinStream.Memory(), SkinStreamSize());
    bytes.SetPosition(0);
    TSkinReader reader;
    if (!reader.Loadfromstream(bytes))
        return nullptr;
    TQuickIni ini;
    TMemoryStream iniText;
    reader.readIni(".ini", iniText);
    ini.LoadFromStream(&iniText);
    return ReadDrawn200Set(reader, ini, m_elements);
}

bool TSkinData::LoadSkin()
{
    return LoadSkinFrom(m_skinStream);
}

bool TSkinData::Refuse(std::string reason)
{
    m_loadError = std::move(reason);
    return false;
}

bool TSkinData::LoadFromFile(const std::string& fileName)
{
    m_skinFile = fileName;
    if (Designing()) {
        if (!fileName.empty())
            m_skinStream.Clear();
        return false;
    }
    const DWORD attributes = GetFileAttributesW(ToWide(fileName).c_str());
    if (fileName.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Refuse("no skin file \"" + fileName + "\"");
    TMemoryStream candidate;
    try {
        TFileStream file(fileName, TFileMode::fmOpenRead);
        if (file.Size() > MaxSkinStreamBytes)
            return Refuse("skin file \"" + fileName + "\" is larger than " +
                          std::to_string(MaxSkinStreamBytes >> 20) + " MB");
        candidate.CopyFrom(file, 0);
    } catch (const Exception& e) {
        return Refuse(e.Message());
    }
    if (!LoadSkinFrom(candidate))
        return false;
    UpdateSkin();
    return true;
}

bool TSkinData::LoadFromStream(TStream& stream)
{
    if (stream.Size() > MaxSkinStreamBytes)
        return Refuse("skin stream larger than " + std::to_string(MaxSkinStreamBytes >> 20) + " MB");
    TMemoryStream candidate;
    candidate.CopyFrom(stream, 0);
    if (!LoadSkinFrom(candidate))
        return false;
    if (m_skinFormtype == sfMainform)
        UpdateSkin();
    return true;
}

bool TSkinData::LoadFromCollection(TSkinStore* store, int index)
{
    if (!store || index < 0 || index >= store->Store()->Count())
        return Refuse("no skin " + std::to_string(index) + " in the skin store");
    TSkinCollectionItem* item = store->Store()->Items(index);
    if (item->DataSize() > MaxSkinStreamBytes)
        return Refuse("stored skin larger than " + std::to_string(MaxSkinStreamBytes >> 20) + " MB");
    TMemoryStream candidate;
    item->CopyData(candidate);
    if (!LoadSkinFrom(candidate))
        return false;
    UpdateSkin();
    return true;
}

void TSkinData::UpdateSkin()
{
    if (Designing() || Reading())
        return;
    if (!SkinManager())
        Loaded();
    ISkinManager* manager = SkinManager();
    if (!manager)
        return;
    manager->SetCurrentSkin(this);
    manager->DeleteSysbtn();
    if (manager->Running())
        manager->SetAction(saReskin, SkinActionDelay);
}

// Joining the manager ------------------------------------------------------

void TSkinData::Loaded()
{
    TComponent::Loaded();
    if (Designing())
        return;
    if (!User32Calls().GetScrollBarInfo)
        m_skinControls.Exclude(xcScrollbar);
    ISkinManager* manager = CreateSkinManager();
    if (manager && !m_joined) {
        manager->AddSkinData(this);
        m_joined = true;
    }
    CreateCaptionFont();
    if (m_skinFormtype != sfMainform) {
        if (manager) {
            manager->SetEnabled(true);
            auto* form = dynamic_cast<TForm*>(Owner());
            if (form && m_active)
                manager->AddForm(form->Handle());
        }
        return;
    }
    if (manager)
        manager->InstallHook();
    if (m_active) {
        // Nothing to skin with: skinning stays off rather than half on.
        if (m_empty)
            m_active = false;
        else if (manager)
            manager->SetAction(saSkinAll, SkinActionDelay);
    }
    // The skinned menu bar draws its own items; without it only the window
    // menu can be skinned.
    if (m_skinControls.Contains(xcMainMenu))
        m_skinControls.Exclude(xcMenuItem);
    else
        m_skinControls.Exclude(xcSystemMenu);
    CaptureAppIcon();
}

void TSkinData::SetActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    if (Designing() || Reading())
        return;
    ISkinManager* manager = SkinManager();
    if (!manager)
        return;
    switch (m_skinFormtype) {
    case sfOnlyThisForm:
        manager->SetCurrentSkin(this);
        if (!(active && m_empty))
            manager->SetAction(active ? saSkinAll : saUnskinAll, SkinActionDelay);
        break;
    case sfDialog:
    case sfDLL:
        break;
    case sfMainform:
        if (active) {
            if (m_empty)
                return;
            manager->SetCurrentSkin(this);
            manager->SetAction(saSkinAll, SkinActionDelay);
            manager->SetRunning();
        } else {
            manager->SetCurrentSkin(this);
            manager->SetAction(saUnskinAll, SkinActionDelay);
        }
        break;
    }
}

// Switching and refreshing -------------------------------------------------

void TSkinData::RequestAction(int action)
{
    if (ISkinManager* manager = SkinManager())
        manager->SetAction(action, SkinActionDelay);
}

void TSkinData::Install()
{
    RequestAction(saSkinAll);
}

void TSkinData::Uninstall()
{
    RequestAction(saUnskinAll);
}

void TSkinData::ChangeForm(TForm* form)
{
    ISkinManager* manager = SkinManager();
    if (!manager || !form)
        return;
    manager->SetReskinWindow(form->Handle());
    manager->SetAction(saReskinWindow, SkinActionDelay);
}

void TSkinData::SkinForm(HWND window)
{
    if (ISkinManager* manager = SkinManager())
        manager->AddForm(window);
}

void TSkinData::EnableSkin(bool enable)
{
    if (ISkinManager* manager = SkinManager())
        manager->SetEnabled(enable);
}

void TSkinData::InstallThread(DWORD threadId)
{
    if (ISkinManager* manager = SkinManager())
        manager->InstallThread(threadId);
}

void TSkinData::UnInstallThread(DWORD threadId)
{
    if (ISkinManager* manager = SkinManager())
        manager->UnInstallThread(threadId);
}

namespace {

// The skinning object of a form that has a window; a form whose window was
// never made cannot have one.
ISkinFormLink* FindLink(TForm* form)
{
    ISkinManager* manager = SkinManager();
    if (!manager || !form || !form->HandleAllocated())
        return nullptr;
    return manager->FindSkinForm(form->Handle());
}

} // namespace

void TSkinData::UpdateSkinControl(TForm* form, TControl* control)
{
    if (ISkinFormLink* link = FindLink(form))
        link->InitControls(control);
}

void TSkinData::UpdateMenu(TForm* form)
{
    if (ISkinFormLink* link = FindLink(form))
        link->InitPopMenu();
}

void TSkinData::UpdateMainMenu(bool update)
{
    m_mainMenuUpdate = update;
    ISkinManager* manager = SkinManager();
    if (!update || !manager)
        return;
    for (ISkinFormLink* link : manager->SkinForms())
        link->UpdateMainMenu();
}

void TSkinData::AddNestForm(TControl* host, TForm* nested)
{
    if (!host || !nested)
        return;
    if (ISkinFormLink* link = FindLink(ParentForm(host)))
        link->InitNestform(nested);
}

void TSkinData::DeleteGraphicControl(TForm* form, TControl* control)
{
    if (ISkinFormLink* link = FindLink(form))
        link->DeleteGraphicControl(control);
}

bool TSkinData::ChangeProperty(TPersistent* object, const std::string& name, const std::string& value)
{
    if (!object)
        return false;
    const TPropInfo* info = GetPropInfo(*object, name);
    if (!info || !info->Set)
        return false;
    try {
        if (info->Kind == TPropKind::Enumeration) {
            SetEnumProp(*object, name, value);
            return true;
        }
        // A Boolean is an enumeration of False and True to the layouts that
        // name its members.
        if (info->Kind == TPropKind::Boolean && (SameText(value, "True") || SameText(value, "False"))) {
            SetPropValue(*object, name, TPropValue{SameText(value, "True")});
            return true;
        }
    } catch (const EPropertyError&) {
    }
    return false;
}

bool TSkinData::GetScrollBarInfo(HWND window, LONG bar, SCROLLBARINFO& info) const
{
    const auto call = User32Calls().GetScrollBarInfo;
    if (!call)
        return false;
    info.cbSize = sizeof info;
    return call(window, bar, &info) != FALSE;
}

void TSkinData::DoFormSkin(HWND window, const std::string& name, bool& DoSkin)
{
    m_formSkinWindow = window;
    if (OnFormSkin) {
        OnFormSkin(this, name, DoSkin);
        return;
    }
    // The month calendar draws itself completely; FastReport's designer
    // windows break when skinned.
    if (name == "SysMonthCal32" ||
        (m_skinControls.Contains(xcFastReport) && name.rfind("Tfr", 0) == 0))
        DoSkin = false;
}

void TSkinData::DoSkinChanged()
{
    if (OnSkinChanged)
        OnSkinChanged(this);
}

TColor TSkinData::Colors(TShemeColor color) const
{
    if (color < 0 || color >= SchemeColorCount)
        return clNotGiven;
    return m_elements.Colors[static_cast<std::size_t>(color)];
}

TColor TSkinData::CustomColors(int index) const
{
    if (index < 0 || index >= CustomColorCount)
        return clNotGiven;
    return m_elements.CustomColors[static_cast<std::size_t>(index)];
}

// Resources ----------------------------------------------------------------

void TSkinData::CreateCaptionFont()
{
    // The block as every Windows version knows it (without the padded border
    // width that Vista added), so the call also succeeds on older systems.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        m_captionFont.AssignLogFont(metrics.lfCaptionFont);
}

void TSkinData::LoadMenuGlyphs()
{
    TBitmap strip;
    if (!strip.LoadFromResourceName(EngineModule(), "ORVEXMENU"))
        return;
    auto glyphs = std::make_unique<TImageList>(nullptr);
    glyphs->SetSize(16, 16);
    if (glyphs->AddMasked(strip, clWhite) >= 0)
        m_menuGlyphs = std::move(glyphs);
}

void TSkinData::RecreateButtonFaceBrush()
{
    m_buttonFaceBrush.Reset(CreateSolidBrush(ColorToRGB(m_elements.Colors[csButtonFace])));
}

void TSkinData::CaptureAppIcon()
{
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    HICON icon = nullptr;
    if (HWND window = Application ? Application->Handle() : nullptr) {
        icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
        if (!icon)
            icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
        if (!icon)
            icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
        if (!icon)
            icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
    }
    if (!icon && Application)
        icon = Application->Icon().Handle();
    m_appIcon.SetSize(0, 0);
    m_appIcon.SetPixelFormat(pf24bit);
    m_appIcon.SetSize(width, height);
    TCanvas& canvas = m_appIcon.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect(Rect(0, 0, width, height));
    if (icon)
        DrawIconEx(canvas.Handle(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    m_appIcon.SetTransparentColor(clFuchsia);
    m_appIcon.SetTransparent(true);
}

} // namespace tarnivo
