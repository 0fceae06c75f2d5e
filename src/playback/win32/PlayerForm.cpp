#include "playback/win32/PlayerForm.h"

namespace orvik {

PlayerForm::PlayerForm(MediaList& media) : media_(media) {
    FormSpec spec;
    spec.className = "TPlayForm";
    spec.caption = "Player";
    spec.left = 173;
    spec.top = 127;
    spec.clientWidth = 375;
    spec.clientHeight = 258;
    spec.border = FormBorder::Sizeable;
    CreateForm(spec);
}

}  // namespace orvik
