#include "encoding/win32/GoGoForm.h"

namespace orvik {

GoGoForm::GoGoForm() {
    FormSpec spec;
    spec.className = "TEncodeForm2";
    spec.caption = "Media Encoder - GoGo MP3";
    spec.clientWidth = 294;
    spec.clientHeight = 220;
    spec.outerSize = true;
    spec.stayOnTop = true;
    spec.screenCenter = true;
    CreateForm(spec);
}

}  // namespace orvik
