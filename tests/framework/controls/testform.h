#pragma once
// A form on screen for each test, and a message pump.

#include "framework/application.h"
#include "framework/form.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarnivo::test {

inline void Pump()
{
    Application->ProcessMessages();
}

class FormTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Application->Initialize(); }

    void SetUp() override
    {
        form.reset(MakeForm<TForm>(nullptr));
        form->SetBounds(40, 40, 480, 360);
    }
    void TearDown() override { form.reset(); }

    void ShowForm()
    {
        form->Show();
        Pump();
    }

    std::unique_ptr<TForm> form;
};

// Records the messages a control's WindowProc sees, then passes them on.
class MessageLog {
public:
    explicit MessageLog(TControl& control)
        : m_hook(control, [this](TMessage& m) {
              m_messages.push_back(m.Msg);
              m_hook.CallNext(m);
          })
    {
    }

    int Count(UINT msg) const
    {
        int n = 0;
        for (UINT m : m_messages)
            n += m == msg;
        return n;
    }

private:
    std::vector<UINT> m_messages;
    TWindowProcHook m_hook;
};

} // namespace tarnivo::test
