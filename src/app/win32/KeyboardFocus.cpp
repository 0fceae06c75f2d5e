#include "app/win32/KeyboardFocus.h"

#include "app/FocusOrder.h"
#include "app/win32/Input.h"

namespace orvik {

namespace {
bool Usable(HWND w) { return w && IsWindowVisible(w) && IsWindowEnabled(w); }

void AddGraphics(HWND host, HWND after, std::vector<FocusStop>& stops) {
    if (GraphicHost* graphics = GraphicHost::Of(host))
        for (GraphicControl* g : graphics->TabStopsAfter(after)) stops.push_back(FocusStop{host, g});
}

void Collect(HWND parent, std::vector<FocusStop>& stops) {
    AddGraphics(parent, nullptr, stops);
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (Usable(child)) {
            if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP)
                stops.push_back(FocusStop{child, nullptr});
            else
                Collect(child, stops);
        }
        AddGraphics(parent, child, stops);
    }
}

bool StillThere(HWND root, const FocusStop& stop) {
    if (!Usable(stop.window) || (stop.window != root && !IsChild(root, stop.window))) return false;
    if (!stop.graphic) return true;
    GraphicHost* host = GraphicHost::Of(stop.window);
    return host && host->CanFocus(stop.graphic);
}

// A drop-down combo box with its list open, or a field that asks for Enter.
bool FocusWantsEnter(HWND focus, const MSG& msg) {
    if (!focus) return false;
    HWND parent = GetParent(focus);
    char cls[16] = {};
    if (parent && GetClassNameA(parent, cls, sizeof cls) && lstrcmpiA(cls, "ComboBox") == 0 &&
        SendMessageA(parent, CB_GETDROPPEDSTATE, 0, 0))
        return true;
    const LRESULT code = SendMessageA(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}
}  // namespace

std::vector<FocusStop> TabOrder(HWND root) {
    std::vector<FocusStop> stops;
    if (root) Collect(root, stops);
    return stops;
}

int FocusedStop(const std::vector<FocusStop>& stops) {
    HWND focus = GetFocus();
    if (!focus) return -1;
    GraphicHost* host = GraphicHost::Of(focus);
    GraphicControl* focusedGraphic = host ? host->Focused() : nullptr;
    for (size_t i = 0; i < stops.size(); ++i) {
        const FocusStop& s = stops[i];
        if (s.graphic ? (s.window == focus && s.graphic == focusedGraphic)
                      : (s.window == focus || IsChild(s.window, focus)))
            return static_cast<int>(i);
    }
    return -1;
}

void FocusOn(const FocusStop& stop) {
    if (stop.graphic) {
        if (GraphicHost* host = GraphicHost::Of(stop.window)) host->SetFocus(stop.graphic);
        return;
    }
    SetFocus(stop.window);
    if (SendMessageA(stop.window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageA(stop.window, EM_SETSEL, 0, -1);
}

void MoveFocus(HWND root, bool backward) {
    const std::vector<FocusStop> stops = TabOrder(root);
    const int next = NextTabIndex(static_cast<int>(stops.size()), FocusedStop(stops), backward);
    if (next >= 0) FocusOn(stops[static_cast<size_t>(next)]);
}

bool HandleFocusKey(HWND root, const MSG& msg, GraphicControl* defaultButton) {
    if (msg.message != WM_KEYDOWN) return false;
    const auto key = static_cast<unsigned>(msg.wParam);
    HWND focus = GetFocus();
    // A graphic control with the focus presses itself (its host hears the key).
    if (GraphicHost* host = GraphicHost::Of(focus))
        if (host->Focused() && key == VK_RETURN) return false;
    const bool wantsKey = key == VK_RETURN && FocusWantsEnter(focus, msg);
    switch (ClassifyFocusKey(key, KeyModifiers(), wantsKey)) {
    case FocusKey::NextStop: MoveFocus(root, false); return true;
    case FocusKey::PreviousStop: MoveFocus(root, true); return true;
    case FocusKey::PressDefault:
        if (!defaultButton || !defaultButton->Visible() || !defaultButton->Enabled()) return false;
        if (!(msg.lParam & 0x40000000)) defaultButton->Click();  // a held key presses once
        return true;
    case FocusKey::None: return false;
    }
    return false;
}

void NoteFocus(HWND root, FocusStop& last) {
    HWND focus = GetFocus();
    if (!focus || (focus != root && !IsChild(root, focus))) return;
    const std::vector<FocusStop> stops = TabOrder(root);
    const int index = FocusedStop(stops);
    if (index >= 0) last = stops[static_cast<size_t>(index)];
}

void RestoreFocus(HWND root, WPARAM activateState, FocusStop& last) {
    HWND focus = GetFocus();
    if (LOWORD(activateState) == WA_INACTIVE) {
        NoteFocus(root, last);
        return;
    }
    // A click on a child window has already given it the focus.
    if (focus && focus != root && IsChild(root, focus)) {
        GraphicHost* host = GraphicHost::Of(focus);
        if (!host || host->Focused()) return;
    }
    if (StillThere(root, last)) {
        FocusOn(last);
        return;
    }
    const std::vector<FocusStop> stops = TabOrder(root);
    if (!stops.empty()) FocusOn(stops.front());
}

}  // namespace orvik

namespace orvik {

namespace {
struct StartedProgram {
    UINT_PTR timer;
    KernelHandle process;
    HWND window;
};
std::vector<StartedProgram>& Started() {
    static std::vector<StartedProgram> started;
    return started;
}

void CALLBACK CheckStarted(HWND, UINT, UINT_PTR timer, DWORD) {
    auto& started = Started();
    for (auto it = started.begin(); it != started.end(); ++it) {
        if (it->timer != timer) continue;
        if (WaitForSingleObject(it->process.Get(), 0) == WAIT_TIMEOUT) return;
        KillTimer(nullptr, timer);
        const HWND window = it->window;
        started.erase(it);
        // Only where nothing took the foreground since: the user may have
        // gone on elsewhere.
        HWND foreground = GetForegroundWindow();
        const bool vacant = !foreground || !IsWindowVisible(foreground) || foreground == GetDesktopWindow();
        if (vacant && Usable(window)) SetForegroundWindow(window);
        return;
    }
    KillTimer(nullptr, timer);
}
}  // namespace

void ReturnFocusAfter(KernelHandle process, HWND window) {
    if (!process) return;
    const UINT_PTR timer = SetTimer(nullptr, 0, 200, &CheckStarted);
    if (!timer) return;
    Started().push_back(StartedProgram{timer, std::move(process), window});
}

}  // namespace orvik
