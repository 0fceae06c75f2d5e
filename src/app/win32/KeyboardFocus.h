// The keyboard focus of a window whose controls are child windows and
// program-painted graphic controls alike: one Tab order through both, the
// keys that move the focus and press the default button, and the focus
// given back when the window is activated.
#pragma once
#include <windows.h>

#include <vector>

#include "app/win32/GraphicControl.h"
#include "app/win32/Owned.h"

namespace orvik {

// A place in the Tab order: a child window, or a graphic control of the
// host window `window`.
struct FocusStop {
    HWND window = nullptr;
    GraphicControl* graphic = nullptr;
};

// The stops of a window in Tab order: its child windows with WS_TABSTOP
// (the children of one without it in their turn) and the graphic controls
// that are tab stops, each after the child window made before it; only
// what is visible and enabled.
std::vector<FocusStop> TabOrder(HWND root);
// The stop that has the keyboard focus now, or -1.
int FocusedStop(const std::vector<FocusStop>& stops);
// Gives a stop the focus; a field's text is selected, to be typed over.
void FocusOn(const FocusStop& stop);
// Tab or Shift+Tab in the window.
void MoveFocus(HWND root, bool backward);

// The window's keys: Tab and Shift+Tab move the focus; Enter presses the
// default button (when there is one, shown and enabled) unless the focused
// control takes Enter itself. True when the key was used.
bool HandleFocusKey(HWND root, const MSG& msg, GraphicControl* defaultButton);

// On activation of the window: the focus goes back to the stop that had it
// when the window was left (or the first stop). `last` keeps it.
void RestoreFocus(HWND root, WPARAM activateState, FocusStop& last);
// Keeps the stop that has the focus in `last`. For WM_CANCELMODE, which a
// window gets before a modal one disables it (and so takes its focus away
// before it is deactivated).
void NoteFocus(HWND root, FocusStop& last);

}  // namespace orvik

namespace orvik {

// A program this one started (an encoder tool) took the foreground with its
// own window. When it ends and leaves no window in the foreground, `window`
// (the one it was started from) becomes the foreground window again, so the
// keys reach the program.
void ReturnFocusAfter(KernelHandle process, HWND window);

}  // namespace orvik
