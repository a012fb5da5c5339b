#pragma once
// The progress bar ("msctls_progress32").

#include "framework/control.h"

#include <commctrl.h>

namespace tarnivo {

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TProgressBar(TComponent* owner);

    int Min() const;
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    // Kept within Min..Max by the control once its window exists.
    int Position() const;
    void SetPosition(int value);
    int Step() const { return m_step; }
    void SetStep(int value);
    // Advances by Step; past Max the bar starts over from Min, as the
    // system control does.
    void StepIt();
    void StepBy(int delta);

    TProgressBarOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TProgressBarOrientation orientation);
    bool Smooth() const { return m_smooth; }
    void SetSmooth(bool smooth);

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    void SendRange();
    void SetStyleBit(DWORD bit, bool on);

    int m_min = 0;
    int m_max = 100;
    int m_position = 0;   // used until the window exists
    int m_step = 10;
    TProgressBarOrientation m_orientation = pbHorizontal;
    bool m_smooth = false;
};

} // namespace tarnivo
