// The GoGo MP3 encoder dialog (class "TEncodeForm2"), captioned "Media Encoder - GoGo MP3".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class GoGoForm : public Form {
public:
    GoGoForm();
};

}  // namespace orvik
