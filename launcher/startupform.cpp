#include "startupform.h"

namespace tarnivo {

const TClassInfo& TForm2::StaticClassInfo()
{
    static const TClassInfo info{"TForm2", &TForm::StaticClassInfo(), {}};
    return info;
}

TForm2::TForm2(TComponent* owner) : TForm(owner)
{
    LoadLayout([this] { BuildLayout(); });
}

void TForm2::BuildLayout()
{
    SetName("Form2");
    SetCaption("Program StartUp");
    SetBorderStyle(bsDialog);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    SetClientSize(248, 52);
    Font().SetName("MS Sans Serif");
    Font().SetHeight(-11);

    Label1 = new TLabel(this);
    Label1->SetName("Label1");
    Label1->SetParent(this);
    Label1->SetBounds(40, 16, 0, 0);
    Label1->SetCaption("Finding ShortCut,Please Wait.......");

    Prog = new TProgressBar(this);
    Prog->SetName("Prog");
    Prog->SetParent(this);
    Prog->SetBounds(0, 40, 247, 9);
    Prog->SetMin(0);
    Prog->SetMax(100);
}

} // namespace tarnivo
