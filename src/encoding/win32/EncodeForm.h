// The encoder dialog "Media Encoder - Lame MP3, Vorbis OGG".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class TEncodeForm : public Form {
public:
    TEncodeForm();
};

}  // namespace orvik
