// A panel of the player window (class "TPanel"): a coloured child window with
// an optional lowered one-pixel bevel and a single (sunken) border, holding
// windowless pictures and flat buttons as well as child windows. The window
// that is told when it goes can unbind what it lent the panel to.
#pragma once
#include <windows.h>

#include <functional>

#include "app/win32/Gdi.h"
#include "app/win32/GraphicControl.h"
#include "app/win32/Window.h"

namespace orvik {

struct PanelSpec {
    ChildPlace place;
    COLORREF color = kMedGray;
    bool loweredBevel = false;
    bool singleBorder = false;
};

class Panel : public Window {
public:
    static constexpr const char* kClassName = "TPanel";

    Panel() = default;
    ~Panel() override;
    void CreateControl(const PanelSpec& spec);

    void SetBounds(const IntRect& bounds);
    // The panel's inside (its client area), in its parent's client coordinates.
    RECT ClientBounds() const;
    void AddGraphic(GraphicControl* control) { graphics_.Add(control); }

    // Runs while the panel's window is being destroyed, its children still there.
    std::function<void()> onDestroy;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintTo(HDC dc, const RECT& area);

    GraphicHost graphics_;
    Brush background_;
    bool loweredBevel_ = false;
};

}  // namespace orvik
