#include "controls/win32/Panel.h"

namespace orvik {

Panel::~Panel() {
    onDestroy = nullptr;  // the owner is going too: nothing to unbind any more
    Destroy();
}

void Panel::CreateControl(const PanelSpec& spec) {
    Register(kClassName, CS_HREDRAW | CS_VREDRAW);
    background_.Reset(CreateSolidBrush(spec.color));
    loweredBevel_ = spec.loweredBevel;
    WindowSpec ws;
    ws.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    ws.exStyle = spec.singleBorder ? WS_EX_CLIENTEDGE : 0;
    ws.place = spec.place;
    Create(kClassName, ws);
    graphics_.SetWindow(hwnd_);
}

void Panel::SetBounds(const IntRect& bounds) {
    const int width = bounds.Width(), height = bounds.Height();
    if (hwnd_) MoveWindow(hwnd_, bounds.left, bounds.top, width < 0 ? 0 : width, height < 0 ? 0 : height, TRUE);
}

RECT Panel::ClientBounds() const {
    RECT r{};
    if (!hwnd_) return r;
    GetClientRect(hwnd_, &r);
    MapWindowPoints(hwnd_, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Panel::PaintTo(HDC dc, const RECT& area) {
    FillRect(dc, &area, background_.Get());
    if (loweredBevel_) {
        RECT r;
        GetClientRect(hwnd_, &r);
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    }
    graphics_.Paint(dc, area);
}

LRESULT Panel::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (graphics_.HandleHostMessage(
            msg, wParam, lParam, [this](HDC dc, const RECT& area) { PaintTo(dc, area); }, result))
        return result;
    if (msg == WM_DESTROY && onDestroy) onDestroy();
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
