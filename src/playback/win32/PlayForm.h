// The player window "Player".
#pragma once
#include "app/win32/Form.h"

namespace orvik {

class TPlayForm : public Form {
public:
    TPlayForm();
};

}  // namespace orvik
