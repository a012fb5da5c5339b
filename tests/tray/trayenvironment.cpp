#include "trayenvironment.h"

#include "trayhelpers.h"

#include "framework/application.h"
#include "framework/form.h"

#include <gtest/gtest.h>

namespace tarnivo::test {

namespace {

TForm* TheMainForm = nullptr;

class TrayEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        Application->Initialize();
        Application->SetTitle("tray_test");
        Application->Icon().SetHandle(MakeSolidIcon(AppColour));
        Application->OnShowException = [](const std::string& text) {
            ShownExceptions().push_back(text);
        };
        TheMainForm = Application->CreateForm<TForm>();
        TheMainForm->SetBounds(100, 100, 300, 200);
        ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);
        TheMainForm->Show();
    }
};

[[maybe_unused]] ::testing::Environment* const Registered =
    ::testing::AddGlobalTestEnvironment(new TrayEnvironment);

} // namespace

TForm* MainForm()
{
    return TheMainForm;
}

std::vector<std::string>& ShownExceptions()
{
    static std::vector<std::string> shown;
    return shown;
}

} // namespace tarnivo::test
