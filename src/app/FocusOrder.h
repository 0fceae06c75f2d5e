// Moving the keyboard focus by keys, without the platform: which key does
// what in a window whose controls take the focus in turn, and where Tab and
// Shift+Tab lead.
#pragma once

namespace orvik {

enum class FocusKey { None, NextStop, PreviousStop, PressDefault };

// What a key pressed in a window with tab stops does there. Enter (also with
// Ctrl) presses the window's default button unless the control with the
// focus wants the key itself.
FocusKey ClassifyFocusKey(unsigned key, unsigned modifiers, bool focusWantsKey);

// The stop that Tab (or Shift+Tab) leads to from stop `current` of `count`
// stops, round at the ends; from none (-1) the first (or the last). -1 when
// there is no stop.
int NextTabIndex(int count, int current, bool backward);

}  // namespace orvik
