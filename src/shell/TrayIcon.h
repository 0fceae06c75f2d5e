// The tray icon's logic without the platform: the short hint of the tip, the
// add / update / remove sequence over the shell's notify calls, and the
// click flags that turn the icon's mouse notifications into events.
#pragma once
#include <string>
#include <vector>

namespace orvik {

// The tip: the hint up to its first '|' (the whole hint without one), cut
// to the 63 characters that the first form of the notify record holds.
std::string TrayShortHint(const std::string& hint);
constexpr std::size_t kTrayTipLength = 63;

// The mouse messages that arrive with the tray callback message.
enum class TrayMouse {
    Move,
    LeftDown, LeftUp, LeftDoubleClick,
    RightDown, RightUp, RightDoubleClick,
    MiddleDown, MiddleUp, MiddleDoubleClick,
};

enum class TrayButton { Left, Right, Middle };

struct TrayEvent {
    enum Kind { MouseMove, MouseDown, Click, MouseUp, DoubleClick } kind;
    TrayButton button = TrayButton::Left;
    bool doubleClickState = false;  // a mouse-down that came as a double-click
    bool operator==(const TrayEvent& o) const {
        return kind == o.kind && button == o.button && doubleClickState == o.doubleClickState;
    }
};

// The shell's side: each call sends the icon's notify record as it is now.
enum class TrayCommand { Add, Modify, Delete };
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual bool Notify(TrayCommand command) = 0;
};

class TrayIconModel {
public:
    explicit TrayIconModel(TrayShell& shell) : shell_(shell) {}

    // Settings; after a change of the icon or the hint, call Update.
    bool active = true;
    bool hasIcon = false;
    std::string hint;

    // Delete any earlier icon, then add this one (an empty icon adds nothing).
    void Add();
    // The icon or hint changed: modify, remove or add as the state asks.
    void Update();
    void Remove();
    bool Added() const { return added_; }

    // Notifications are handled from creation until destruction begins.
    bool Enabled() const { return enabled_; }
    void Disable() { enabled_ = false; }

    // The events of one mouse notification, in order; none while disabled.
    std::vector<TrayEvent> Notification(TrayMouse mouse);

private:
    TrayShell& shell_;
    bool added_ = false;
    bool enabled_ = true;
    bool leftClick_ = false, rightClick_ = false;
};

}  // namespace orvik
