// The encoder choosers at work: a pick in any of the six choosers runs the
// steps that the chooser tables give for it, on the dialogs, panels and
// choosers registered here. The window set makes one switcher and gives it
// to every encoder dialog, which registers its faces; so the dialogs reach
// each other only through it.
#pragma once
#include <functional>
#include <string>

#include "app/win32/Form.h"
#include "encoding/EncoderChooser.h"

namespace orvik {

class FaceSwitcher {
public:
    // A face: the dialog that holds it, how its chooser shows a text (a
    // dialog whose controls are not made yet keeps the text until they are),
    // and for the panels of the Lame/Vorbis dialog how to show or hide it.
    using ShowChooserText = std::function<void(const std::string& text)>;
    void Register(EncodeFace face, Form& dialog, ShowChooserText showChooserText,
                  std::function<void(bool visible)> showPanel = nullptr);

    // Entry `index` was picked in the chooser of `chooser`.
    void Pick(EncodeFace chooser, int index);

private:
    struct Face {
        ShowChooserText showChooserText;
        std::function<void(bool)> showPanel;
    };
    static constexpr int kDialogCount = 4;  // EncoderDialog's values

    Face faces_[kEncodeFaceCount];
    Form* dialogs_[kDialogCount] = {};
};

}  // namespace orvik
