#include "encoding/win32/WmaForm.h"

namespace orvik {

WmaForm::WmaForm() {
    FormSpec spec;
    spec.className = "TEncodeForm4";
    spec.caption = "Media Encode - WMA";
    spec.clientWidth = 292;
    spec.clientHeight = 218;
    spec.outerSize = true;
    spec.stayOnTop = true;
    spec.screenCenter = true;
    CreateForm(spec);
}

}  // namespace orvik
