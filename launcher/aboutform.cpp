#include "aboutform.h"

#include "framework/application.h"
#include "framework/bitmap.h"

namespace tarnivo {

const TClassInfo& TForm7::StaticClassInfo()
{
    static const TClassInfo info{"TForm7", &TForm::StaticClassInfo(), {}};
    return info;
}

TForm7::TForm7(TComponent* owner) : TForm(owner)
{
    LoadLayout([this] { BuildLayout(); });
}

void TForm7::BuildLayout()
{
    SetName("Form7");
    SetCaption("About");
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu});
    SetPosition(poScreenCenter);
    SetClientSize(270, 165);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);

    Image2 = new TImage(this);
    Image2->SetName("Image2");
    Image2->SetBounds(32, 16, 49, 41);
    Image2->SetParent(this);
    if (!Image2->Picture().LoadFromResourceName(Application->Instance(), "ABOUT"))
        Image2->Picture().SetSize(0, 0);
    // The picture's own size at 96 DPI; it grows with the layout above.
    Image2->SetStretch(true);

    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->Font().Assign(Font());
    Label1->Font().SetColor(clRed);
    Label1->Font().SetHeight(-13);
    Label1->Font().SetStyle({fsBold});
    Label1->SetBounds(88, 24, 156, 16);
    Label1->SetCaption("Tarnivo");
    Label1->SetParent(this);

    Label3 = new TLabel(this);
    Label3->SetName("Label3");
    Label3->SetBounds(112, 104, 53, 13);
    Label3->SetCaption("Version 1.2");
    Label3->SetParent(this);

    Button1 = new TButton(this);
    Button1->SetName("Button1");
    Button1->Font().Assign(Font());
    Button1->SetBounds(96, 128, 75, 25);
    Button1->SetCaption("OK");
    Button1->SetModalResult(mrOk);
    Button1->SetTabStop(true);
    Button1->SetParent(this);
}

} // namespace tarnivo
