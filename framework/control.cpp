// TControl: properties, the message chain's front and its default end, the
// click events; TGraphicControl's class record.

#include "control.h"
#include "formscale.h"

#include "application.h"
#include "form.h"

namespace tarnivo {

namespace {

// "Font" is the control's own font object; assigning one copies its attributes.
TPropInfo FontProperty()
{
    TPropInfo p{"Font", TPropKind::Object, {}, {}, {}};
    p.Get = [](const TObject& o) {
        return TPropValue{const_cast<TFont*>(&static_cast<const TControl&>(o).Font())};
    };
    p.Set = [](TObject& o, const TPropValue& v) {
        auto* source = dynamic_cast<TFont*>(std::get<TObject*>(v));
        if (!source)
            throw EPropertyError("Invalid property value");
        static_cast<TControl&>(o).Font().Assign(*source);
    };
    return p;
}

} // namespace

const TClassInfo& TControl::StaticClassInfo()
{
    static const TClassInfo info{
        "TControl",
        &TComponent::StaticClassInfo(),
        {
            published::Integer("Left", &TControl::Left, &TControl::SetLeft),
            published::Integer("Top", &TControl::Top, &TControl::SetTop),
            published::Integer("Width", &TControl::Width, &TControl::SetWidth),
            published::Integer("Height", &TControl::Height, &TControl::SetHeight),
            published::Boolean("Visible", &TControl::Visible, &TControl::SetVisible),
            published::Boolean("Enabled", &TControl::Enabled, &TControl::SetEnabled),
            published::Text("Caption", &TControl::Caption, &TControl::SetCaption),
            published::Integer("Color", &TControl::Color, &TControl::SetColor),
            published::Boolean("ParentColor", &TControl::ParentColor, &TControl::SetParentColor),
            published::Boolean("ParentFont", &TControl::ParentFont, &TControl::SetParentFont),
            FontProperty(),
        }};
    return info;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      m_hooks(std::make_shared<TWindowProcChain>([this](TMessage& m) { WndProc(m); })),
      m_font(std::make_unique<TFont>())
{
    // A control's font is part of its form's layout, written for 96 DPI like
    // the rest of it; the form scales it to its window's DPI (formscale.h).
    m_font->SetHeight(-MulDiv(8, DesignPixelsPerInch, 72));
    m_font->OnChange = [this](TObject*) { FontAttributesChanged(); };
}

TControl::~TControl()
{
    // Components owned by a control (a skin object hooking it) go while
    // the control is still whole.
    DestroyComponents();
    if (m_parent)
        m_parent->RemoveControl(this);
    m_hooks->Cut();
}

void TControl::WindowProc(TMessage& message)
{
    // The chain stays alive through a message that frees the control.
    std::shared_ptr<TWindowProcChain> chain = m_hooks;
    chain->Dispatch(message);
}

THookId TControl::AddWindowProcHook(TWndMethod hook)
{
    return m_hooks->Add(std::move(hook));
}

void TControl::RemoveWindowProcHook(THookId id)
{
    m_hooks->Remove(id);
}

void TControl::CallNextWindowProc(THookId id, TMessage& message)
{
    std::shared_ptr<TWindowProcChain> chain = m_hooks;
    chain->CallNext(id, message);
}

void TControl::SetParent(TWinControl* parent)
{
    if (m_parent == parent)
        return;
    if (m_parent)
        m_parent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == m_left && top == m_top && width == m_width && height == m_height)
        return;
    Invalidate();
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    Invalidate();
    BoundsChanged();
}

void TControl::SetVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    VisibleChanged();
    Perform(CM_VISIBLECHANGED, visible, 0);
}

void TControl::VisibleChanged()
{
    if (m_parent && m_parent->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(m_parent->Handle(), &r, TRUE);
    }
}

void TControl::SetEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    EnabledChanged();
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetText(const std::string& text)
{
    if (m_text == text)
        return;
    m_text = text;
    TextChanged();
}

void TControl::SetColor(TColor color)
{
    m_parentColor = false;
    ApplyColor(color);
}

void TControl::ApplyColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor)
{
    if (m_parentColor == parentColor)
        return;
    m_parentColor = parentColor;
    if (m_parentColor && m_parent)
        ApplyColor(m_parent->Color());
}

void TControl::SetParentFont(bool parentFont)
{
    if (m_parentFont == parentFont)
        return;
    m_parentFont = parentFont;
    if (m_parentFont && m_parent)
        ApplyFont(m_parent->Font());
}

void TControl::ApplyFont(const TFont& font)
{
    struct Applying {
        bool& flag;
        explicit Applying(bool& f) : flag(f) { flag = true; }
        ~Applying() { flag = false; }
    } applying(m_applyingFont);
    m_font->Assign(font);
}

void TControl::FontAttributesChanged()
{
    if (!m_applyingFont)
        m_parentFont = false;
    if (auto* container = dynamic_cast<TWinControl*>(this)) {
        // By index: a child's FontChanged may add or remove children.
        const std::vector<TControl*>& children = container->m_controls;
        for (std::size_t i = 0; i < children.size(); ++i)
            if (children[i]->m_parentFont)
                children[i]->ApplyFont(*m_font);
    }
    FontChanged();
}

void TControl::Invalidate()
{
    if (m_visible && m_parent && m_parent->HandleAllocated()) {
        RECT r = BoundsRect();
        InvalidateRect(m_parent->Handle(), &r, TRUE);
    }
}

void TControl::Repaint()
{
    Invalidate();
    if (m_parent && m_parent->HandleAllocated())
        UpdateWindow(m_parent->Handle());
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam)
{
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& message)
{
    if (IsMouseMessage(message.Msg) && HandleMouse(message))
        return;
    if ((message.Msg == CN_NOTIFY || message.Msg == WM_NOTIFY) && !NotifyRecord(message.LParam)) {
        // Not a notification record (a handshake value in lParam): the
        // handlers in Dispatch would read it as one.
        DefaultHandler(message);
        return;
    }
    Dispatch(message);
}

void TControl::Dispatch(TMessage& message)
{
    DefaultHandler(message);
}

void TControl::DefaultHandler(TMessage& message)
{
    message.Result = 0;
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

const TClassInfo& TGraphicControl::StaticClassInfo()
{
    static const TClassInfo info{"TGraphicControl", &TControl::StaticClassInfo(), {}};
    return info;
}

} // namespace tarnivo
