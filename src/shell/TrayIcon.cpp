#include "shell/TrayIcon.h"

namespace orvik {

std::string TrayShortHint(const std::string& hint) {
    std::string tip = hint.substr(0, hint.find('|'));
    if (tip.size() > kTrayTipLength) {
        // Cut before a character, not inside one of UTF-8's sequences.
        std::size_t cut = kTrayTipLength;
        while (cut > 0 && (static_cast<unsigned char>(tip[cut]) & 0xC0) == 0x80) --cut;
        tip.resize(cut);
    }
    return tip;
}

void TrayIconModel::Add() {
    Remove();
    if (!hasIcon) return;
    leftClick_ = rightClick_ = false;
    added_ = shell_.Notify(TrayCommand::Add);
    if (added_ && TrayShortHint(hint).empty()) shell_.Notify(TrayCommand::Modify);
}

void TrayIconModel::Update() {
    if (added_) {
        if (!hasIcon)
            Remove();
        else
            shell_.Notify(TrayCommand::Modify);
    } else if (active) {
        Add();
    }
}

void TrayIconModel::Remove() {
    shell_.Notify(TrayCommand::Delete);
    added_ = false;
    leftClick_ = rightClick_ = false;
}

std::vector<TrayEvent> TrayIconModel::Notification(TrayMouse mouse) {
    using E = TrayEvent;
    std::vector<TrayEvent> events;
    if (!enabled_) return events;
    auto down = [&](TrayButton b, bool doubleClickState = false) {
        events.push_back(E{E::MouseDown, b, doubleClickState});
    };
    auto up = [&](TrayButton b) { events.push_back(E{E::MouseUp, b}); };
    // A release after a press of the same button is a click first.
    auto release = [&](TrayButton b, bool& pressed) {
        if (pressed) events.push_back(E{E::Click, b});
        pressed = false;
        up(b);
    };
    switch (mouse) {
    case TrayMouse::Move: events.push_back(E{E::MouseMove, TrayButton::Left}); break;
    case TrayMouse::LeftDown: down(TrayButton::Left); leftClick_ = true; break;
    case TrayMouse::LeftUp: release(TrayButton::Left, leftClick_); break;
    case TrayMouse::LeftDoubleClick:
        events.push_back(E{E::DoubleClick, TrayButton::Left});
        down(TrayButton::Left, /*doubleClickState=*/true);
        break;
    case TrayMouse::RightDown: down(TrayButton::Right); rightClick_ = true; break;
    case TrayMouse::RightUp: release(TrayButton::Right, rightClick_); break;
    case TrayMouse::RightDoubleClick: down(TrayButton::Right, /*doubleClickState=*/true); break;
    case TrayMouse::MiddleDown: down(TrayButton::Middle); break;
    case TrayMouse::MiddleUp: up(TrayButton::Middle); break;
    case TrayMouse::MiddleDoubleClick: down(TrayButton::Middle, /*doubleClickState=*/true); break;
    }
    return events;
}

}  // namespace orvik
