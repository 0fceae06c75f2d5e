// The encoder dialog "Media Encoder - GoGo MP3".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class TEncodeForm2 : public Form {
public:
    TEncodeForm2();
};

}  // namespace orvik
