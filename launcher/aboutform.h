#pragma once
// The About window: product name and version, closed with OK.

#include "framework/controls/button.h"
#include "framework/controls/image.h"
#include "framework/controls/label.h"
#include "framework/form.h"

namespace tarnivo {

class TForm7 : public TForm {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TForm7(TComponent* owner);

    TImage* Image2 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label3 = nullptr;
    TButton* Button1 = nullptr;

private:
    void BuildLayout();
};

} // namespace tarnivo
