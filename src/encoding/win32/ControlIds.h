// Control identifiers of the encoder dialogs' child windows, so that the
// dialogs' own code and their end-to-end tests name the same controls.
#pragma once

namespace orvik {

enum EncoderControlId {
    // Lame face
    kIdLameChooser = 101,
    kIdLameBitRate,
    kIdLameHighQuality,
    kIdLameMono,
    kIdLameInput,
    kIdLameOutput,
    // Vorbis encoder face
    kIdOggEncChooser = 201,
    kIdOggEncBitRate,
    kIdOggEncQuality,
    kIdOggEncManaged,
    kIdOggEncInput,
    // Vorbis decoder face
    kIdOggDecChooser = 301,
    kIdOggDecInput,
    // GoGo MP3 dialog
    kIdGoGoChooser = 401,
    kIdGoGoBitRate,
    kIdGoGoQuality,
    kIdGoGoQualityWord,
    kIdGoGoInput,
    kIdGoGoOutput,
    // AAC dialog
    kIdAacChooser = 501,
    kIdAacBitRate,
    kIdAacMidSide,
    kIdAacInput,
    // WMA dialog
    kIdWmaChooser = 601,
    kIdWmaBitRate,
    kIdWmaQuality,
    kIdWmaAllStats,
    kIdWmaInput,
    kIdWmaOutput,
};

}  // namespace orvik
