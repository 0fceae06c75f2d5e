#include "encoding/win32/AacForm.h"

namespace orvik {

AacForm::AacForm() {
    FormSpec spec;
    spec.className = "TEncodeForm3";
    spec.caption = "Media Encoder - AAC";
    spec.clientWidth = 295;
    spec.clientHeight = 221;
    spec.outerSize = true;
    spec.stayOnTop = true;
    spec.screenCenter = true;
    CreateForm(spec);
}

}  // namespace orvik
