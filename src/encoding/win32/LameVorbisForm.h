// The encoder dialog "Media Encoder - Lame MP3, Vorbis OGG" (class
// "TEncodeForm"): three faces in one window. The Lame face is the form's own
// controls; the Vorbis encoder and decoder panels cover it when shown, the
// decoder panel above the encoder panel.
#pragma once
#include "encoding/win32/EncoderForm.h"

namespace orvik {

class LameVorbisForm : public EncoderForm {
public:
    LameVorbisForm();

    // The switcher that the three choosers run, and the WMA dialog, which
    // the decoder face's input label shows modally.
    void Connect(FaceSwitcher& switcher, Form& wmaDialog);

    // What the encode buttons do.
    void EncodeMp3();
    void EncodeOgg();
    void DecodeOgg();

private:
    // The browse step of a face: its input field, with its open dialog's filter.
    void Browse(int input, const char* filter);

    Form* wmaDialog_ = nullptr;
};

}  // namespace orvik
