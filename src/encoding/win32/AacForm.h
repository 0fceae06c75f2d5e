// The AAC encoder dialog (class "TEncodeForm3"), captioned "Media Encoder - AAC".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class AacForm : public Form {
public:
    AacForm();
};

}  // namespace orvik
