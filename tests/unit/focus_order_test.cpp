// Moving the focus by keys: where Tab leads and what each key does.
#include <gtest/gtest.h>

#include "app/FocusOrder.h"
#include "app/Input.h"

using namespace orvik;

TEST(FocusOrder, TabRunsRoundTheStopsBothWays) {
    struct Row {
        int count, current;
        bool backward;
        int next;
    } rows[] = {
        {5, 0, false, 1}, {5, 4, false, 0}, {5, 0, true, 4}, {5, 3, true, 2},
        {5, -1, false, 0}, {5, -1, true, 4},  // from no stop: the first or the last
        {5, 7, false, 0},                     // a stop that went away counts as none
        {1, 0, false, 0}, {0, -1, false, -1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(NextTabIndex(r.count, r.current, r.backward), r.next) << r.count << " " << r.current;
}

TEST(FocusOrder, KeysThatMoveTheFocusOrPressTheDefaultButton) {
    using namespace modifier;
    struct Row {
        unsigned key, modifiers;
        bool focusWantsKey;
        FocusKey result;
    } rows[] = {
        {vk::kTab, 0, false, FocusKey::NextStop},
        {vk::kTab, kShift, false, FocusKey::PreviousStop},
        {vk::kTab, kCtrl, false, FocusKey::None},
        {vk::kTab, kAlt, false, FocusKey::None},
        {vk::kReturn, 0, false, FocusKey::PressDefault},
        {vk::kReturn, kCtrl, false, FocusKey::PressDefault},
        {vk::kReturn, 0, true, FocusKey::None},  // an open list, a pick waiting
        {vk::kReturn, kAlt, false, FocusKey::None},
        {vk::kSpace, 0, false, FocusKey::None},  // the focused control's own
        {vk::kLeft, 0, false, FocusKey::None},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ClassifyFocusKey(r.key, r.modifiers | kLeft, r.focusWantsKey), r.result) << r.key << " " << r.modifiers;
}
