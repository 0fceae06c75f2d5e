// What other programs may rely on to find the player window's parts: the
// control ids of its panels, slider and switch (the end-to-end tests reach
// them from another process), and the registered message that asks the
// player for the program's count of live GDI objects (the benchmark's
// figure: the platform's own count is a stub under Wine).
#pragma once

namespace orvik::player_ids {

constexpr int kDisplayPanel = 101;
constexpr int kControlPanel = 102;
constexpr int kPositionSlider = 103;  // a child of the control panel
constexpr int kAdvanceSwitch = 104;   // a child of the control panel
constexpr int kPendingSeek = 105;     // hidden; its text is the seek the next tick carries out

constexpr const char* kLiveGdiObjectsMessage = "OrvikPlayer.LiveGdiObjects";

}  // namespace orvik::player_ids
