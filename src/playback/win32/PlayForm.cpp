#include "playback/win32/PlayForm.h"

namespace orvik {

TPlayForm::TPlayForm() {
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
