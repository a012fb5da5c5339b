#pragma once
// The start-up window: shown and painted before anything else, it carries
// the progress of the first catalogue scan and is hidden when that ends.

#include "framework/controls/label.h"
#include "framework/controls/progressbar.h"
#include "framework/form.h"

namespace tarnivo {

class TForm2 : public TForm {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TForm2(TComponent* owner);

    TLabel* Label1 = nullptr;
    TProgressBar* Prog = nullptr;

private:
    void BuildLayout();
};

} // namespace tarnivo
