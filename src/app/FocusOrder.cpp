#include "app/FocusOrder.h"

#include "app/Input.h"

namespace orvik {

FocusKey ClassifyFocusKey(unsigned key, unsigned modifiers, bool focusWantsKey) {
    const unsigned held = modifiers & modifier::kKeys;
    if (key == vk::kTab && !(held & (modifier::kCtrl | modifier::kAlt)))
        return held & modifier::kShift ? FocusKey::PreviousStop : FocusKey::NextStop;
    if (key == vk::kReturn && !(held & modifier::kAlt) && !focusWantsKey) return FocusKey::PressDefault;
    return FocusKey::None;
}

int NextTabIndex(int count, int current, bool backward) {
    if (count <= 0) return -1;
    if (current < 0 || current >= count) return backward ? count - 1 : 0;
    return backward ? (current + count - 1) % count : (current + 1) % count;
}

}  // namespace orvik
