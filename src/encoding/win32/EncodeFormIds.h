// Control identifiers of the Lame/Vorbis dialog's child windows, so that the
// dialog's own code and its end-to-end tests name the same controls.
#pragma once

namespace orvik {

enum EncodeFormId {
    // Lame face
    kIdComboBox1 = 101,
    kIdEdit1,      // bit rate
    kIdRxSwitch1,  // high quality
    kIdRxSwitch2,  // mono mode
    kIdFileEdit1,
    kIdEdit2,      // output name
    // OggEnc panel
    kIdComboBox2 = 201,
    kIdBitBox,
    kIdLevelBox,
    kIdRxSwitch3,  // managed
    kIdFileEdit2,
    // OggDec panel
    kIdComboBox3 = 301,
    kIdFileEdit3,
};

}  // namespace orvik
