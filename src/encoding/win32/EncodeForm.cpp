#include "encoding/win32/EncodeForm.h"

namespace orvik {

TEncodeForm::TEncodeForm() {
    FormSpec spec;
    spec.className = "TEncodeForm";
    spec.caption = "Media Encoder - Lame MP3, Vorbis OGG";
    spec.clientWidth = 287;
    spec.clientHeight = 197;
    spec.border = FormBorder::Dialog;
    spec.stayOnTop = true;
    spec.screenCenter = true;
    CreateForm(spec);
}

}  // namespace orvik
