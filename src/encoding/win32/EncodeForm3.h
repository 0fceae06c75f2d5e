// The encoder dialog "Media Encoder - AAC".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class TEncodeForm3 : public Form {
public:
    TEncodeForm3();
};

}  // namespace orvik
