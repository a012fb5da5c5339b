#pragma once
// The up-down control ("msctls_updown32").

#include "framework/control.h"

#include <functional>

namespace tarnivo {

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };

using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;
using TUDChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

// A pair of arrow buttons. Range and position are the window's, which keeps
// the position within the range (a Min above Max reverses the arrows, as the
// system control does). With an Associate the control sits at that control's
// side and writes the position into it as its text.
class TCustomUpDown : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCustomUpDown(TComponent* owner);
    ~TCustomUpDown() override;

    int Min() const;
    void SetMin(int value);
    int Max() const;
    void SetMax(int value);
    int Position() const;
    void SetPosition(int value);
    // One arrow click moves by this much.
    int Increment() const;
    void SetIncrement(int value);

    TWinControl* Associate() const { return m_associate; }
    void SetAssociate(TWinControl* control);

    // Style bits the control reads when it is created: changing one makes a
    // new window.
    TUDOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TUDOrientation orientation);
    TUDAlignButton AlignButton() const { return m_alignButton; }
    void SetAlignButton(TUDAlignButton align);
    bool ArrowKeys() const { return m_arrowKeys; }
    void SetArrowKeys(bool arrowKeys);
    bool Thousands() const { return m_thousands; }
    void SetThousands(bool thousands);
    // Past one end the position goes on from the other.
    bool Wrap() const { return m_wrap; }
    void SetWrap(bool wrap);

    // Before an arrow moves the position; clearing allowChange keeps it.
    TUDChangingEvent OnChanging;
    // After an arrow moved it.
    TUDClickEvent OnClick;

    void Dispatch(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void HandleDestroying() override;

private:
    void SetRange(int min, int max);

    // Used until the window exists, and kept while it is recreated.
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_increment = 1;
    TWinControl* m_associate = nullptr;
    TUDOrientation m_orientation = udVertical;
    TUDAlignButton m_alignButton = udRight;
    bool m_arrowKeys = true;
    bool m_thousands = true;
    bool m_wrap = false;
    TUDBtnType m_pendingButton = btNext;   // the arrow of the last accepted step
    bool m_clickPending = false;
};

class TUpDown : public TCustomUpDown {
    TARNIVO_PUBLISHED_CLASS()
public:
    using TCustomUpDown::TCustomUpDown;
};

} // namespace tarnivo
