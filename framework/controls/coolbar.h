#pragma once
// The cool bar ("ReBarWindow32"): bands side by side or in rows, each with
// its own background colour and caption.

#include "framework/control.h"

#include <memory>
#include <string>
#include <vector>

namespace tarnivo {

class TCoolBar;

// One band. Its state is kept here and pushed into the bar's window.
class TCoolBand {
public:
    explicit TCoolBand(TCoolBar& bar) : m_bar(bar) {}

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    const std::string& Text() const { return m_text; }
    void SetText(const std::string& text);
    int Width() const { return m_width; }
    void SetWidth(int width);

    int Index() const;

private:
    friend class TCoolBar;
    void Push() const;

    TCoolBar& m_bar;
    TColor m_color = clBtnFace;
    std::string m_text;
    int m_width = 100;
};

class TCoolBar : public TWinControl {
    TARNIVO_PUBLISHED_CLASS()
public:
    explicit TCoolBar(TComponent* owner);
    ~TCoolBar() override;

    int BandCount() const { return static_cast<int>(m_bands.size()); }
    TCoolBand* Bands(int index) const { return m_bands.at(static_cast<std::size_t>(index)).get(); }
    TCoolBand* AddBand();

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    void Dispatch(TMessage& message) override;

private:
    friend class TCoolBand;
    void InsertBand(const TCoolBand& band) const;
    // The bar in its Color, each band in its own.
    void EraseBands(HDC dc);

    std::vector<std::unique_ptr<TCoolBand>> m_bands;
};

} // namespace tarnivo
