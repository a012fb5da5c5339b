// Tarnivo: start-up in its fixed order, then the message loop.

#include "launcher/mainform.h"
#include "launcher/startupform.h"

#include "skin/forms/skinmanager.h"

#include "framework/application.h"

#include <windows.h>

using namespace tarnivo;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    try {
        // The skin data on the main window makes the skin engine's manager.
        RegisterSkinEngine();
        Application->Initialize();
        Application->SetTitle("Tarnivo");

        // The start-up window is painted before anything else is made.
        auto* startup = new TForm2(Application);
        startup->Show();
        UpdateWindow(startup->Handle());

        Application->CreateForm<TForm1>(startup);
        Application->Run();
    } catch (...) {
        Application->HandleException(std::current_exception());
    }
    // The forms go now, while every object they talk to on the way out (the
    // skin manager, the shell) is still there; static objects of other files
    // may already be gone when the application object itself is destroyed.
    Application->DestroyComponents();
    // What is still skinned gets its own window procedure back, and the
    // hook goes, before static destruction begins.
    FreeSkinManager();
    return 0;
}
