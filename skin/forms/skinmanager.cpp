#include "skinmanager.h"

#include "menuitemhandlers.h"
#include "popupmenu.h"
#include "skinmessages.h"
#include "winskinform.h"

#include "skin/resources/skindata.h"

#include "framework/application.h"
#include "framework/form.h"
#include "framework/screen.h"
#include "framework/timer.h"

#include <algorithm>
#include <cctype>
#include <exception>

namespace tarnivo {

namespace {

std::string ClassNameOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool HasExStyle(HWND window, DWORD bits)
{
    return (static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)) & bits) != 0;
}

bool HasStyle(HWND window, DWORD bits)
{
    return (static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & bits) != 0;
}

// The framework form whose window this is: one of the screen's forms, else
// the framework control that owns the window (a form whose window is still
// being created is found through the control being created).
TForm* FindTForm(HWND window)
{
    if (Screen)
        for (int i = 0; i < Screen->FormCount(); ++i) {
            TForm* form = Screen->Forms(i);
            if (form->HandleAllocated() && form->Handle() == window)
                return form;
        }
    return dynamic_cast<TForm*>(TWinControl::FromHandle(window));
}

} // namespace

TSkinManage* SkinManage()
{
    return dynamic_cast<TSkinManage*>(SkinManager());
}

void RegisterSkinEngine()
{
    RegisterSkinManager([] { return std::make_unique<TSkinManage>(); });
    // Skinned popup menus draw and measure their items with the form's
    // menu-item painters.
    // They hold the form object weakly: the menus outlive it.
    SetPopupItemHandlers([](TWinSkinForm& form) {
        return TPopupItemHandlers{FormItemDraw(form), FormItemMeasure(form, TItemMeasure::Popup)};
    });
}

TSkinManage::TSkinManage() : m_timer(std::make_unique<TTimer>(nullptr))
{
    m_timer->SetEnabled(false);
    m_timer->SetInterval(InitialInterval);
    m_timer->OnTimer = [this](TObject*) { OnTimer(); };
    RegisterEngineSendOnlyMessages();
}

TSkinManage::~TSkinManage()
{
    RunState = runstate::Stopping;
    m_enabled = false;
    m_timer.reset();
    // What is left is unskinned with its window still there (the program is
    // ending, or the skin engine goes): give every window its own procedure
    // back so nothing calls into freed objects afterwards.
    DeleteAllForms();
    DeleteAllMenus();
    m_skinDatas.clear();
    m_cbtHook.Remove();
}

// Hooks ---------------------------------------------------------------------

void TSkinManage::InstallHook()
{
    if (m_cbtHook.Installed())
        return;
    m_cbtHook.Install(
        WH_CBT, [this](int code, WPARAM wParam, LPARAM lParam) { return SkinHookCBT(code, wParam, lParam); },
        GetCurrentThreadId());
}

// Hooking other threads would let their window procedures run the skinning
// code on those threads, which shares this manager's lists without locks;
// this program has one user-interface thread, so other threads are refused.
void TSkinManage::InstallThread(DWORD) {}
void TSkinManage::UnInstallThread(DWORD) {}

LRESULT TSkinManage::SkinHookCBT(int code, WPARAM wParam, LPARAM lParam)
{
    {
        const auto window = reinterpret_cast<HWND>(wParam);
        switch (code) {
        case HCBT_CREATEWND: {
            const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lParam)->lpcs;
            if (!create)
                break;
            if (!(create->style & WS_CHILD) && ClassNameOf(window) == "#32768")
                AddMenu(window);
            // A size grip made on a skinned window (a dialog that becomes
            // resizable) gets its skin as the dialog's other controls did.
            if ((create->style & SBS_SIZEGRIP) && Lower(ClassNameOf(window)) == "scrollbar")
                if (TWinSkinForm* object = FindForm(create->hwndParent))
                    object->AddControlh(window);
            if (create->dwExStyle & WS_EX_MDICHILD)
                AddForm(window);
            break;
        }
        case HCBT_DESTROYWND:
            DeleteMenu(window);
            break;
        case HCBT_ACTIVATE:
            if (RunState == runstate::Idle)
                RunState = runstate::Running;
            AddForm(window);
            break;
        default:
            break;
        }
    }
    return m_cbtHook.CallNext(code, wParam, lParam);
}

// Who gets skinned ------------------------------------------------------------

bool TSkinManage::NestedForm(HWND window)
{
    return HasStyle(window, WS_CHILD) && !HasExStyle(window, WS_EX_MDICHILD) &&
           Lower(ClassNameOf(GetParent(window))) != "mdiclient";
}

bool TSkinManage::OnBeforeSkin(HWND window, const std::string& className)
{
    bool doSkin = true;
    if (!MainSkin)
        return doSkin;
    if (!MainSkin->Options().Contains(xoPreview) &&
        Lower(className).find("preview") != std::string::npos)
        doSkin = false;
    MainSkin->DoFormSkin(window, className, doSkin);
    return doSkin;
}

TSkinData* TSkinManage::FindSkindata(HWND window) const
{
    for (auto it = m_skinDatas.rbegin(); it != m_skinDatas.rend(); ++it) {
        auto* form = dynamic_cast<TForm*>((*it)->Owner());
        if ((*it)->SkinFormtype() == sfOnlyThisForm && form && form->HandleAllocated() &&
            form->Handle() == window)
            return *it;
    }
    const std::string cls = Lower(ClassNameOf(window));
    if (cls == "tmessageform" || cls == "#32770")
        for (auto it = m_skinDatas.rbegin(); it != m_skinDatas.rend(); ++it)
            if ((*it)->SkinFormtype() == sfDialog)
                return *it;
    for (auto it = m_skinDatas.rbegin(); it != m_skinDatas.rend(); ++it)
        if ((*it)->SkinFormtype() == sfMainform)
            return *it;
    return m_skinDatas.empty() ? nullptr : m_skinDatas.front();
}

bool TSkinManage::Accepts(HWND window, TForm* form, const std::string& className)
{
    if (!SkinAllPass && NestedForm(window))
        return false;
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    if (!form && instance != GetModuleHandleW(nullptr) && className != "#32770")
        return false;
    RECT r{};
    GetWindowRect(window, &r);
    if ((r.right - r.left) * (r.bottom - r.top) == 0 && !HasExStyle(window, WS_EX_MDICHILD))
        return false;
    if (form && form->Tag() == 99)
        return false;
    // The application window is the framework's hidden owner of every form.
    if (className.find("TcxPopupEditPopupWindow") != std::string::npos ||
        className == "TApplication" || (Application && window == Application->Handle()))
        return false;
    return OnBeforeSkin(window, className);
}

bool TSkinManage::AddForm(HWND window)
{
    return AddForm(window, TStart::Posted);
}

bool TSkinManage::AddForm(HWND window, TStart start)
{
    if (!m_enabled || !IsWindow(window))
        return false;
    DeleteDeleted();
    if (SendMessageW(window, WM_ISSKINNED, 0, 0) == 1 || FindForm(window))
        return false;
    TForm* form = FindTForm(window);
    const std::string className = ClassNameOf(window);
    if (!Accepts(window, form, className))
        return false;
    TSkinData* skin = FindSkindata(window);
    if (!skin || skin->Empty())
        return false;
    return Create(window, form, skin, className, start) != nullptr;
}

TWinSkinForm* TSkinManage::Create(HWND window, TForm* form, TSkinData* skin,
                                  const std::string& className, TStart start)
{
    auto object = std::make_unique<TWinSkinForm>();
    TWinSkinForm* raw = object.get();
    raw->Handle = window;
    raw->ManagerStamp = Module;
    raw->CreatorClassName = className;
    m_forms.push_back(std::move(object));
    if (form)
        raw->InitTform(skin, form);
    else
        raw->InitDlg(skin);
    if (!raw->Subclassed()) {
        // The window could not take our procedure (it went away meanwhile,
        // or carries too many of them): it stays as it is.
        raw->UnSubclass2();
        Remove(raw);
        return nullptr;
    }
    if (start == TStart::Now)
        SendMessageW(window, CN_SkinActive, 0, SkinActiveParam);
    else
        PostMessageW(window, CN_SkinActive, 0, SkinActiveParam);
    return raw;
}

// A form shown before the first skin data was loaded (a program's splash or
// progress window) was activated before the hook existed and may never be
// activated again. It is taken over when skinning is switched on, and its
// start-up runs at once: such a window is typically repainted by hand while
// its program works without a message loop, so a posted CN_SkinActive would
// only arrive after it is gone.
void TSkinManage::SkinShownForms()
{
    if (!Screen)
        return;
    for (int i = Screen->FormCount(); i-- > 0;) {
        if (i >= Screen->FormCount())
            continue;
        TForm* form = Screen->Forms(i);
        if (!form->Visible() || !form->HandleAllocated() || !IsWindowVisible(form->Handle()) ||
            HasStyle(form->Handle(), WS_CHILD))
            continue;
        // What the system drew inside the old frame is not repainted by the
        // frame change alone, and no loop will ask for it.
        if (AddForm(form->Handle(), TStart::Now))
            RedrawWindow(form->Handle(), nullptr, nullptr,
                         RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void TSkinManage::ActiveForm(TForm* form)
{
    if (form && form->Visible() && form->HandleAllocated() && !HasStyle(form->Handle(), WS_CHILD))
        AddForm(form->Handle());
}

// Recreated forms ---------------------------------------------------------------

void TSkinManage::WatchRecreation(TForm* form)
{
    if (!form)
        return;
    // A hook whose form has gone is no longer installed.
    std::erase_if(m_recreations, [](const TRecreation& r) { return !r.Hook->Installed(); });
    for (const TRecreation& r : m_recreations)
        if (r.Form == form)
            return;
    auto hook = std::make_unique<TWindowProcHook>();
    const TWindowProcHook* raw = hook.get();
    *hook = TWindowProcHook(*form, [this, form, raw](TMessage& m) { RecreatedFormMessage(form, *raw, m); });
    m_recreations.push_back({form, std::move(hook)});
}

// WM_SHOWWINDOW comes while the new window is made visible (inside its
// creation when it is made visible at once); it carries no pointer, so one
// posted from outside can at most make a shown form of ours skinned early.
void TSkinManage::RecreatedFormMessage(TForm* form, const TWindowProcHook& hook, TMessage& m)
{
    hook.CallNext(m);
    if (m.Msg != WM_SHOWWINDOW || !m.WParam || !form->HandleAllocated())
        return;
    const HWND window = form->Handle();
    // Off the list first: the hook is removed while this message is still
    // in it, which the chain allows; nothing of it is touched after.
    std::erase_if(m_recreations, [form](const TRecreation& r) { return r.Form == form; });
    AddForm(window, TStart::Posted);
}

// The form list -------------------------------------------------------------

TWinSkinForm* TSkinManage::FindForm(HWND window) const
{
    if (!window)
        return nullptr;
    for (const auto& object : m_forms)
        if (object->Handle == window && object->SkinState != skinstate::Destroyed)
            return object.get();
    return nullptr;
}

ISkinFormLink* TSkinManage::FindSkinForm(HWND window)
{
    return FindForm(window);
}

std::vector<ISkinFormLink*> TSkinManage::SkinForms()
{
    std::vector<ISkinFormLink*> links;
    for (const auto& object : m_forms)
        if (object->SkinState != skinstate::Destroyed)
            links.push_back(object.get());
    return links;
}

std::vector<TWinSkinForm*> TSkinManage::Snapshot() const
{
    std::vector<TWinSkinForm*> objects;
    for (auto it = m_forms.rbegin(); it != m_forms.rend(); ++it)
        if ((*it)->ManagerStamp == Module)
            objects.push_back(it->get());
    return objects;
}

std::vector<TWinSkinForm*> TSkinManage::AllForms() const
{
    std::vector<TWinSkinForm*> objects;
    for (const auto& object : m_forms)
        objects.push_back(object.get());
    return objects;
}

bool TSkinManage::Holds(const TWinSkinForm* object) const
{
    return std::any_of(m_forms.begin(), m_forms.end(),
                       [object](const auto& o) { return o.get() == object; });
}

void TSkinManage::Remove(TWinSkinForm* object)
{
    auto it = std::find_if(m_forms.begin(), m_forms.end(),
                           [object](const auto& o) { return o.get() == object; });
    if (it == m_forms.end())
        return;
    // Out of the list before it goes, so nothing it triggers finds it. A
    // window may be unskinned from inside one of its own messages (a skin
    // switch from a timer in a menu's loop): the object then goes when
    // that message returns.
    std::unique_ptr<TWinSkinForm> doomed = std::move(*it);
    m_forms.erase(it);
    if (MDIParent == object)
        SetMDIParent(nullptr, nullptr);
    TWinSkinForm::Release(std::move(doomed));
}

void TSkinManage::DeleteForm(HWND window)
{
    if (RunState == runstate::Stopping)
        return;
    TWinSkinForm* object = FindForm(window);
    if (!object || !object->Form)
        return;
    object->SkinState = skinstate::Unskinning;
    object->UnSubclass();
    Remove(object);
}

// The list owns every object, so an entry can only be stale by its state:
// freed objects never stay in it.
void TSkinManage::DeleteDeleted()
{
    if (RunState == runstate::Stopping)
        return;
    for (std::size_t i = m_forms.size(); i-- > 0;) {
        if (i >= m_forms.size())
            continue;
        TWinSkinForm* object = m_forms[i].get();
        if (object->SkinState == skinstate::Destroyed && object->ManagerStamp == Module)
            Remove(object);
    }
}

void TSkinManage::DeleteForm3()
{
    if (RunState == runstate::Stopping)
        return;
    for (std::size_t i = m_forms.size(); i-- > 0;)
        if (i < m_forms.size() && m_forms[i]->SkinState == skinstate::Destroyed)
            Remove(m_forms[i].get());
}

void TSkinManage::DeleteAllForms()
{
    m_enabled = false;
    while (!m_forms.empty()) {
        std::unique_ptr<TWinSkinForm> object = std::move(m_forms.back());
        m_forms.pop_back();
        if (object->ManagerStamp == Module)
            object->UnSubclass3();
        TWinSkinForm::Release(std::move(object));
    }
}

// Popup menus ---------------------------------------------------------------------

bool TSkinManage::AddMenu(HWND window)
{
    const bool added = SkinMenuWindow(window);
    // What the skinning code told about the popup about to open was for
    // this window: once it stays plain and no other popup is open, a later
    // popup nobody announces (a tray icon's menu) must not inherit it.
    if (!added && m_menus.empty())
        ForgetPopup();
    return added;
}

void TSkinManage::ForgetPopup()
{
    FrameworkMenu = 0;
    PopupKind = popupkind::Unknown;
}

bool TSkinManage::SkinMenuWindow(HWND window)
{
    if (!m_enabled || !IsWindow(window) || FindSkinMenu(window))
        return false;
    if (SendMessageW(window, WM_ISSKINNED, 0, 0) == 1)
        return false;
    TSkinData* skin = FindSkindata(window);
    if (!skin || skin->Empty())
        return false;
    const TSkinControlTypes controls = skin->SkinControls();
    bool allowed = false;
    switch (PopupKind) {
    case popupkind::WindowMenu: allowed = controls.Contains(xcMainMenu) || controls.Contains(xcMenuItem); break;
    case popupkind::SystemMenu: allowed = controls.Contains(xcSystemMenu); break;
    default:                    allowed = controls.Contains(xcPopupMenu); break;
    }
    if (!allowed)
        return false;
    auto object = std::make_unique<TWinSkinPopMenu>();
    object->InitSkin(window, skin, nullptr);
    if (!object->Subclassed())
        return false;
    object->FrameworkMenu = FrameworkMenu;
    m_menus.push_back(std::move(object));
    return true;
}

void TSkinManage::DeleteMenu(HWND window)
{
    auto it = std::find_if(m_menus.begin(), m_menus.end(),
                           [window](const auto& o) { return o->Handle == window; });
    if (it == m_menus.end())
        return;
    std::unique_ptr<TWinSkinPopMenu> doomed = std::move(*it);
    m_menus.erase(it);
    doomed->UnSubClass();
    TWinSkinPopMenu::Release(std::move(doomed));
    if (m_menus.empty())
        ForgetPopup();
}

TWinSkinPopMenu* TSkinManage::FindSkinMenu(HWND window) const
{
    for (const auto& object : m_menus)
        if (object->Handle == window)
            return object.get();
    return nullptr;
}

void TSkinManage::SetPopMenu()
{
    for (const auto& object : m_menus)
        object->FrameworkMenu = 1;
}

void TSkinManage::SetHMenu(HMENU menu)
{
    if (!menu)
        return;
    for (const auto& object : m_menus)
        if (object->MenuHandle == menu)
            return;   // already known: a repaint of the same popup
    for (auto it = m_menus.rbegin(); it != m_menus.rend(); ++it)
        if (!(*it)->MenuHandle) {
            (*it)->MenuHandle = menu;
            return;
        }
}

const TBitmap* TSkinManage::GetMenuBg(HMENU menu) const
{
    if (!menu)
        return nullptr;
    for (const auto& object : m_menus) {
        if (object->MenuHandle != menu)
            continue;
        // Wine paints a popup's entries before its frame on the first
        // WM_PAINT: the first entry asks before anything composed the image.
        if (object->Background.Empty() && !object->ComposeBackground())
            return nullptr;
        return &object->Background;
    }
    return nullptr;
}

void TSkinManage::DeleteAllMenus()
{
    while (!m_menus.empty()) {
        std::unique_ptr<TWinSkinPopMenu> object = std::move(m_menus.back());
        m_menus.pop_back();
        object->UnSubClass();
        TWinSkinPopMenu::Release(std::move(object));
    }
    ForgetPopup();
}

void TSkinManage::DeleteMenus(const TSkinData* skin)
{
    for (std::size_t i = m_menus.size(); i-- > 0;)
        if (m_menus[i]->SkinData == skin)
            DeleteMenu(m_menus[i]->Handle);
}

bool TSkinManage::ActionPending() const
{
    return m_timer && m_timer->Enabled();
}

// Skin data ---------------------------------------------------------------------

void TSkinManage::AddSkinData(TSkinData* skin)
{
    if (!skin || std::find(m_skinDatas.begin(), m_skinDatas.end(), skin) != m_skinDatas.end())
        return;
    m_skinDatas.push_back(skin);
    if (!MainSkin && skin->SkinFormtype() == sfMainform)
        MainSkin = skin;
}

void TSkinManage::RemoveSkinData(TSkinData* skin)
{
    m_skinDatas.erase(std::remove(m_skinDatas.begin(), m_skinDatas.end(), skin),
                      m_skinDatas.end());
    if (m_currentSkin == skin)
        m_currentSkin = nullptr;
    if (MainSkin == skin) {
        MainSkin = nullptr;
        for (TSkinData* other : m_skinDatas)
            if (other->SkinFormtype() == sfMainform) {
                MainSkin = other;
                break;
            }
    }
    if (RunState == runstate::Stopping)
        return;
    DeleteMenus(skin);
    // Windows painted from this skin data cannot outlive it: they get their
    // own look back (without a resize: this happens while forms are freed).
    for (TWinSkinForm* object : Snapshot()) {
        if (!Holds(object) || object->SkinData != skin || FindForm(object->Handle) != object)
            continue;
        object->SkinState = skinstate::Unskinning;
        object->UnSubclass();
        Remove(object);
    }
}

void TSkinManage::DeleteSysbtn()
{
    for (TWinSkinForm* object : AllForms())
        if (Holds(object) && object->SkinData == m_currentSkin)
            object->DeleteSysbtn();
}

void TSkinManage::SkinDataReloaded(TSkinData* skin)
{
    // Called while the previous skin's caption-button elements still
    // exist; once this returns they are freed, so no form may keep one.
    // Binding asks a window for its icon (WM_GETICON), whose handler may
    // close windows: walk a copy and skip objects that left the list.
    for (TWinSkinForm* object : AllForms()) {
        if (!Holds(object) || object->SkinData != skin)
            continue;
        try {
            object->InitSysButtons();
        } catch (const std::exception&) {
            // No bitmap for the window's icon button: the form goes without
            // caption buttons rather than keep the old ones.
            object->DeleteSysbtn();
        }
    }
}

// Deferred actions ----------------------------------------------------------------

void TSkinManage::SetRunning()
{
    if (RunState == runstate::Idle)
        RunState = runstate::Running;
}

void TSkinManage::SetAction(int action, int delayMs)
{
    PendingAction = action;
    if (m_timer)
        m_timer->SetInterval(static_cast<std::uint32_t>(std::max(delayMs, 1)));
    if (RunState == runstate::Idle) {
        if (action == saSkinAll) {
            m_enabled = true;
            SkinShownForms();
        } else if (action == saUnskinAll)
            m_enabled = false;
        return;
    }
    if (RunState == runstate::Stopping || !m_timer)
        return;
    m_timer->SetEnabled(false);
    m_timer->SetEnabled(true);
}

void TSkinManage::OnTimer()
{
    if (m_timer)
        m_timer->SetEnabled(false);
    if (!m_currentSkin)
        return;
    TSkinData* skin = m_currentSkin;
    switch (PendingAction) {
    case saSkinAll: SkinAll(); break;
    case saUnskinAll: UnskinAll(); break;
    case saReskin: Reskin(); break;
    case saPurge: DeleteForm3(); break;
    case saReskinWindow: ReskinOne(); return;
    default: break;
    }
    m_currentSkin = nullptr;
    skin->DoSkinChanged();
}

void TSkinManage::SkinAll()
{
    m_enabled = true;
    SkinAllPass = 1;
    if (m_currentSkin->SkinFormtype() == sfOnlyThisForm) {
        auto* owner = dynamic_cast<TForm*>(m_currentSkin->Owner());
        if (Screen)
            for (int i = Screen->FormCount(); i-- > 0;)
                if (Screen->Forms(i) == owner) {
                    ActiveForm(owner);
                    break;
                }
    } else {
        UpdateRequested = 0;
        DeleteDeleted();
        if (Screen)
            for (int i = Screen->FormCount(); i-- > 0;)
                if (i < Screen->FormCount())
                    ActiveForm(Screen->Forms(i));
    }
    SkinAllPass = 0;
}

void TSkinManage::UnskinAll()
{
    const bool onlyThis = m_currentSkin->SkinFormtype() == sfOnlyThisForm;
    m_enabled = false;
    DeleteDeleted();
    for (TWinSkinForm* object : Snapshot()) {
        if (!Holds(object) || FindForm(object->Handle) != object)
            continue;   // went while another window was unskinned
        if (onlyThis && object->SkinData != m_currentSkin)
            continue;
        object->UnSubclass();
        object->RePaint();
        Remove(object);
        if (onlyThis)
            break;
    }
}

void TSkinManage::Reskin()
{
    const bool onlyThis = m_currentSkin->SkinFormtype() == sfOnlyThisForm;
    DeleteDeleted();
    std::vector<TWinSkinForm*> using_;
    for (auto it = m_forms.begin(); it != m_forms.end(); ++it)
        if ((*it)->SkinData == m_currentSkin && (*it)->SkinState != skinstate::Destroyed) {
            using_.push_back(it->get());
            if (onlyThis)
                break;
        }
    // Reading the skin asks the windows for their icons, and a skin change
    // repaints them: a window may go meanwhile.
    for (TWinSkinForm* object : using_) {
        if (!Holds(object))
            continue;
        object->DeleteSysbtn();
        object->InitSkinData();
    }
    for (TWinSkinForm* object : using_)
        if (Holds(object) && FindForm(object->Handle) == object)
            object->SkinChange();
}

void TSkinManage::ReskinOne()
{
    if (m_currentSkin->SkinFormtype() == sfOnlyThisForm)
        return;
    TWinSkinForm* object = FindForm(ReskinWindow);
    if (!object)
        return;
    object->UnSubclass();
    if (Holds(object))
        object->SkinState = skinstate::Destroyed;
    DeleteDeleted();
    AddForm(ReskinWindow);
}

void TSkinManage::SetMDIParent(HWND client, TWinSkinForm* parent)
{
    MDIClientWindow = client;
    MDIParent = parent;
}

void TSkinManage::SetMDIMax(bool maximized)
{
    if (static_cast<bool>(MDIMaximized) == maximized)
        return;
    MDIMaximized = maximized ? 1 : 0;
    if (MainSkin && MainSkin->Options().Contains(xoMDIChildBorder))
        return;
    // Re-cropping and refreshing send messages to the children: walk a snapshot.
    for (TWinSkinForm* object : AllForms()) {
        if (!Holds(object) || object->FormStyle != sfsMDIChild ||
            object->SkinState == skinstate::Destroyed)
            continue;
        if (maximized) {
            if (object->RegionOwned)
                object->Uncropwindow();
            object->EnableSysbtn(true);
        } else if (object->WindowState == swsMin) {
            object->EnableSysbtn(true);
        } else {
            object->WindowState = swsNormal;
            object->Cropwindow();
            object->EnableSysbtn(false);
            if (!object->RegionOwned)
                object->Refresh();
        }
    }
}

} // namespace tarnivo
