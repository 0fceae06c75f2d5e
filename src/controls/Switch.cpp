#include "controls/Switch.h"

namespace orvik {

unsigned KeyShortcut(unsigned keyCode, bool shift, bool ctrl, bool alt) {
    unsigned s = keyCode & 0xFF;
    if (shift) s += kShortcutShift;
    if (ctrl) s += kShortcutCtrl;
    if (alt) s += kShortcutAlt;
    return s;
}

void SwitchModel::SetStateOn(bool on) {
    if (on == stateOn_) return;
    stateOn_ = on;
    if (Repaint) Repaint();
    if (on) {
        if (OnOn) OnOn();
    } else if (OnOff) {
        OnOff();
    }
}

bool SwitchModel::MouseDown(bool leftButton) {
    if (!leftButton) return false;
    Toggle();
    return true;
}

bool SwitchModel::KeyDown(unsigned keyCode, bool shift, bool ctrl, bool alt) {
    if (KeyShortcut(keyCode, shift, ctrl, alt) != toggleKey) return false;
    Toggle();
    return true;
}

SwitchLayout LayoutSwitch(int width, int height, int w, int h, TTextPos pos, int textHeight) {
    SwitchLayout l;
    IntRect r{0, 0, width, height};
    switch (pos) {
    case TTextPos::tpNone:
        l.glyphX = (width - w) / 2;
        l.glyphY = (height - h) / 2;
        return l;
    case TTextPos::tpLeft:
        l.glyphX = width - w;
        l.glyphY = (height - h) / 2;
        r.right -= w;
        break;
    case TTextPos::tpRight:
        l.glyphX = 0;
        l.glyphY = (height - h) / 2;
        r.left += w;
        break;
    case TTextPos::tpAbove:
        l.glyphX = (width - w) / 2;
        l.glyphY = height - h;
        r.bottom -= h;
        break;
    case TTextPos::tpBelow:
        l.glyphX = (width - w) / 2;
        l.glyphY = 0;
        r.top += h;
        break;
    }
    r.top = (r.top + r.bottom - textHeight) / 2;
    r.bottom = r.top + textHeight;
    l.text = r;
    return l;
}

}  // namespace orvik
