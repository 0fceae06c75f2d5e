#include "controls/win32/Panel.h"

namespace orvik {

Panel::~Panel() {
    OnDestroy = nullptr;  // the owner is going too: nothing to unbind any more
    Destroy();
}

void Panel::CreateControl(const PanelSpec& spec) {
    Register(kClassName, CS_HREDRAW | CS_VREDRAW);
    background_.Reset(CreateSolidBrush(spec.color));
    loweredBevel_ = spec.loweredBevel;
    WindowSpec ws;
    ws.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    ws.exStyle = spec.singleBorder ? WS_EX_CLIENTEDGE : 0;
    ws.x = spec.x;
    ws.y = spec.y;
    ws.width = spec.width;
    ws.height = spec.height;
    ws.parent = spec.parent;
    ws.id = spec.id;
    Create(kClassName, ws);
    graphics_.SetWindow(hwnd_);
}

void Panel::SetBounds(int left, int top, int width, int height) {
    if (hwnd_) MoveWindow(hwnd_, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height, TRUE);
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
    LRESULT painted = 0;
    if (HandlePaintMessage(hwnd_, msg, wParam, [this](HDC dc, const RECT& area) { PaintTo(dc, area); }, painted))
        return painted;
    if (graphics_.HandleMessage(msg, wParam, lParam)) return 0;
    switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        LRESULT result = 0;
        if (ReflectNotification(msg, wParam, lParam, result)) return result;
        break;
    }
    case WM_DESTROY:
        if (OnDestroy) OnDestroy();
        break;
    default:
        break;
    }
    return Default(msg, wParam, lParam);
}

}  // namespace orvik
