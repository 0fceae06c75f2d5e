// The AAC encoder dialog (class "TEncodeForm3"), captioned "Media Encoder -
// AAC": bit rate, mid/side stereo coding and input; starts "faac.exe".
#pragma once
#include "encoding/win32/EncoderForm.h"

namespace orvik {

class AacForm : public EncoderForm {
public:
    AacForm();

    void Encode();
    void Browse();
};

}  // namespace orvik
