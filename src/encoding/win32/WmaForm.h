// The WMA encoder dialog (class "TEncodeForm4"), captioned "Media Encode - WMA".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class WmaForm : public Form {
public:
    WmaForm();
};

}  // namespace orvik
