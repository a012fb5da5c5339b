// SkinGallery: every window kind the skin engine handles, under a chosen skin.
// Interactive by default; with --screenshots it saves a picture of each
// window and ends (see gallerycommandline.h).

#include "gallerycommandline.h"
#include "galleryforms.h"
#include "gallerypreview.h"
#include "framework/unicodetext.h"
#include "galleryshots.h"
#include "galleryskins.h"

#include "skin/resources/skinmanagerif.h"
#include "skin/resources/textutil.h"
#if TARNIVO_GALLERY_SKIN_ENGINE
#include "skin/forms/skinmanager.h"
#endif

#include "framework/application.h"
#include "framework/streams.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace tarnivo;
using namespace tarnivo::gallery;

namespace {

std::vector<std::string> CommandLineArguments()
{
    std::vector<std::string> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(ToUtf8(argv[i]));
    LocalFree(argv);
    return args;
}

// Under Wine a GUI program's standard error is the terminal it was started
// from; on Windows it usually goes nowhere, which is why the interactive
// program shows a message box as well.
void Report(const std::string& text, bool interactive)
{
    std::fprintf(stderr, "SkinGallery: %s\n", text.c_str());
    std::fflush(stderr);
    if (interactive)
        MessageBoxW(nullptr, ToWide(text).c_str(), L"SkinGallery", MB_OK | MB_ICONWARNING);
}

bool IsActive(HWND window)
{
    return GetForegroundWindow() == window || GetActiveWindow() == window;
}

// Every window the skin engine has taken over answers WM_ISSKINNED with 1;
// without the form engine linked in, nothing does.
bool IsSkinned(HWND window)
{
    constexpr UINT WM_ISSKINNED = 0x3523;
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, WM_ISSKINNED, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) &&
           answer == 1;
}

// Pictures of every window under each skin asked for, and an index that
// tells the tests where each window was, whether it was active and whether
// the skin engine had it. Index lines:
//     skin SHORTNAME SKINNAME...
//     window SHORTNAME WINDOW LEFT TOP RIGHT BOTTOM ACTIVE SKINNED FILE
int TakeScreenshots(TGalleryMainForm& main, const std::vector<TGalleryWindow>& windows,
                    const TGallerySkins& skins, const TGalleryOptions& options)
{
    CreateDirectoryW(ToWide(options.ScreenshotDir).c_str(), nullptr);
    std::string index;
    int status = 0;
    std::vector<int> order;
    if (options.AllSkins) {
        for (int i = 0; i < skins.Count(); ++i)
            order.push_back(i);
    } else {
        order.push_back(main.CurrentSkin());
    }
    for (int skin : order) {
        if (skin != main.CurrentSkin() && !main.SelectSkin(skin)) {
            Report(main.LoadError(), false);
            status = 2;
            continue;
        }
        // The manager applies a new skin after a short delay of its own.
        PumpMessages(1500);
        const std::string& shortName = skins.At(skin).ShortName;
        index += "skin " + shortName + " " + main.SkinData().SkinName() + "\n";
        for (const TGalleryWindow& window : windows) {
            ActivateAndSettle(window.CaptureInactive ? main.Handle() : window.Handle);
            TBitmap picture;
            if (!CaptureWindow(window.Handle, picture)) {
                Report("no picture of the " + window.Name + " window", false);
                status = 2;
                continue;
            }
            const std::string file = "gallery-" + shortName + "-" + window.Name + ".bmp";
            std::string error;
            if (!SaveBitmapFile(picture, JoinPath(options.ScreenshotDir, file), error)) {
                Report(error, false);
                status = 2;
                continue;
            }
            RECT r{};
            GetWindowRect(window.Handle, &r);
            char line[256];
            std::snprintf(line, sizeof line, "window %s %s %ld %ld %ld %ld %d %d %s\n",
                          shortName.c_str(), window.Name.c_str(), r.left, r.top, r.right, r.bottom,
                          IsActive(window.Handle) ? 1 : 0, IsSkinned(window.Handle) ? 1 : 0,
                          file.c_str());
            index += line;
        }
    }
    try {
        TFileStream file(JoinPath(options.ScreenshotDir, "gallery-index.txt"), TFileMode::fmCreate);
        file.WriteBuffer(index.data(), static_cast<std::int64_t>(index.size()));
    } catch (const Exception& e) {
        Report(std::string("cannot write the index: ") + e.Message(), false);
        status = 2;
    }
    return status;
}

// The program's own loop: F2 switches skins from any of its windows, the
// modeless dialogs get their keyboard navigation and the MDI documents their
// Ctrl+F4 and Ctrl+F6.
void RunLoop(TGalleryMainForm& main, const std::vector<HWND>& dialogs)
{
    MSG msg;
    while (!Application->Terminated()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0)
            break;
        try {
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_F2) {
                main.NextSkin();
                continue;
            }
            bool handled = false;
            for (HWND dialog : dialogs)
                handled = handled || (IsWindow(dialog) && IsDialogMessageW(dialog, &msg));
            if (handled)
                continue;
            if (IsMDIAccelerator(msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } catch (...) {
            Application->HandleException(std::current_exception());
        }
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int status = 0;
    try {
#if TARNIVO_GALLERY_SKIN_ENGINE
        // The skin data on the main form makes the engine's manager, which
        // then skins every window of the process.
        RegisterSkinEngine();
#endif
        Application->Initialize();
        Application->SetTitle("SkinGallery");

        const std::vector<std::string> args = CommandLineArguments();
        TGalleryOptions options;
        std::string error;
        if (!ParseGalleryArguments(args, options, error)) {
            bool interactive = true;
            for (const std::string& a : args)
                interactive = interactive && a != "--screenshots";
            Report(error + "\nusage: SkinGallery.exe [SKINFILE|SKINFOLDER] [--screenshots DIR] [--all-skins] [--menus]",
                   interactive);
            return 1;
        }
        const bool interactive = options.ScreenshotDir.empty();

        TGallerySkins skins;
        int start = 0;
        const DWORD attributes =
            options.SkinFile.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(options.SkinFile.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        if (folder)
            start = skins.AddFolder(options.SkinFile);
        else if (!options.SkinFile.empty())
            start = skins.AddFile(options.SkinFile);

        auto* main = Application->CreateForm<TGalleryMainForm>(skins, start);
        // A folder being edited may well be broken at start: the preview's
        // status bar says why, and the next save is tried again.
        std::unique_ptr<TGalleryPreview> preview;
        if (folder && interactive)
            preview = std::make_unique<TGalleryPreview>(*main, start, options.SkinFile);
        if (main->CurrentSkin() != start && !preview) {
            Report(main->LoadError(), interactive);
            if (!interactive) {
                Application->DestroyComponents();
                FreeSkinManager();
                return 2;
            }
        }
        std::vector<TGalleryWindow> windows = main->ShowAll();
        ShowWindow(Application->Handle(), SW_SHOWNOACTIVATE);

        if (!interactive) {
            status = TakeScreenshots(*main, windows, skins, options);
        } else {
            std::vector<HWND> dialogs;
            for (const TGalleryWindow& w : windows)
                if (w.Name == "32770" || w.Name == "dialogcontrols")
                    dialogs.push_back(w.Handle);
            if (options.Menus)
                main->ShowMenus();
            RunLoop(*main, dialogs);
        }
        preview.reset();
    } catch (...) {
        Application->HandleException(std::current_exception());
        status = 3;
    }
    Application->DestroyComponents();
    // What is still skinned gets its own window procedure back, and the hook
    // goes, before static destruction begins.
    FreeSkinManager();
    return status;
}
