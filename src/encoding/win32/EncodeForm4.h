// The encoder dialog "Media Encode - WMA".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class TEncodeForm4 : public Form {
public:
    TEncodeForm4();
};

}  // namespace orvik
