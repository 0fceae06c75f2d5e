// The GoGo MP3 encoder dialog (class "TEncodeForm2"), captioned "Media
// Encoder - GoGo MP3": bit rate, quality 0 to 8 with a word for four of
// them, input and output name; starts "gogo.exe".
#pragma once
#include "encoding/win32/EncoderForm.h"

namespace orvik {

class GoGoForm : public EncoderForm {
public:
    GoGoForm();

    void Encode();
    void Browse();

private:
    void ControlsBuilt() override;
    // A quality picked from the list names itself in words, where it has one.
    void QualityPicked(int index);
};

}  // namespace orvik
