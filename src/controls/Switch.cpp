#include "controls/Switch.h"

namespace orvik {

void SwitchModel::SetStateOn(bool on) {
    if (on == stateOn_) return;
    stateOn_ = on;
    host_.Repaint();
    host_.StateChanged(on);
}

bool SwitchModel::MouseDown(bool leftButton) {
    if (!leftButton) return false;
    Toggle();
    return true;
}

bool SwitchModel::KeyDown(unsigned keyCode, unsigned modifiers) {
    if (!toggleKey.Matches(keyCode, modifiers)) return false;
    Toggle();
    return true;
}

SwitchLayout LayoutSwitch(int width, int height, int w, int h, CaptionPlace pos, int textHeight) {
    SwitchLayout l;
    IntRect r{0, 0, width, height};
    switch (pos) {
    case CaptionPlace::None:
        l.glyphX = (width - w) / 2;
        l.glyphY = (height - h) / 2;
        return l;
    case CaptionPlace::Left:
        l.glyphX = width - w;
        l.glyphY = (height - h) / 2;
        r.right -= w;
        break;
    case CaptionPlace::Right:
        l.glyphX = 0;
        l.glyphY = (height - h) / 2;
        r.left += w;
        break;
    case CaptionPlace::Above:
        l.glyphX = (width - w) / 2;
        l.glyphY = height - h;
        r.bottom -= h;
        break;
    case CaptionPlace::Below:
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
