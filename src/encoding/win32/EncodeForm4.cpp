#include "encoding/win32/EncodeForm4.h"

namespace orvik {

TEncodeForm4::TEncodeForm4() {
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
