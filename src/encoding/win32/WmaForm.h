// The WMA encoder dialog (class "TEncodeForm4"), captioned "Media Encode -
// WMA": bit rate, quality 1 to 100 in a spin edit, all statistics or not,
// input and output name; starts "WM8EUTIL.exe".
#pragma once
#include "encoding/win32/EncoderForm.h"

namespace orvik {

class WmaForm : public EncoderForm {
public:
    WmaForm();

    void Encode();
    void Browse();
};

}  // namespace orvik
