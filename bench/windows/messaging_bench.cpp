// What the message plumbing costs: a message sent through 0 to 3 subclass
// layers and 0 to 3 WindowProc hooks, and making and destroying a control's
// window (with the CBT hook that notes the window being created). Prints
// the median of 7 runs; run by hand:
//   tools/wine-run.sh build/win32/bench/windows/messaging_bench.exe

#include "framework/application.h"
#include "framework/form.h"
#include "framework/controls/button.h"
#include "framework/subclass.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace tarnivo;

namespace {

double MedianMicros(int repeats, const std::function<void()>& once)
{
    std::vector<double> runs;
    for (int r = 0; r < 7; ++r) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < repeats; ++i)
            once();
        std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
        runs.push_back(took.count() / repeats);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main()
{
    Application->Initialize();
    std::unique_ptr<TForm> form(MakeForm<TForm>(nullptr));
    auto* button = new TButton(form.get());
    button->SetParent(form.get());
    HWND window = button->Handle();

    std::vector<TWindowSubclass> layers(3);
    for (int n = 0; n <= 3; ++n) {
        if (n > 0)
            layers[n - 1].Install(window, [&layers, n](TMessage& m) { layers[n - 1].CallPrevious(m); });
        double us = MedianMicros(20000, [&] { SendMessageA(window, WM_NULL, 0, 0); });
        std::printf("SendMessage through %d subclass layer(s) in front of the control: %.3f us\n", n, us);
    }
    for (auto& l : layers)
        l.Remove();

    std::vector<TWindowProcHook> hooks(3);
    for (int n = 0; n <= 3; ++n) {
        if (n > 0)
            hooks[n - 1] = TWindowProcHook(*button, [&hooks, n](TMessage& m) { hooks[n - 1].CallNext(m); });
        double us = MedianMicros(20000, [&] { button->Perform(WM_NULL); });
        std::printf("Perform through %d WindowProc hook(s): %.3f us\n", n, us);
    }

    double create = MedianMicros(200, [&] {
        auto* b = new TButton(form.get());
        b->SetParent(form.get());
        delete b;
    });
    std::printf("TButton window made and destroyed: %.1f us\n", create);
    return 0;
}
