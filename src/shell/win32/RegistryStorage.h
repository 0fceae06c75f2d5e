// TFormStorage: the media list store of a window on the system registry,
// under "Software\<executable name>", reporting errors in the error box.
#pragma once
#include "shell/FormStorage.h"

namespace orvik {

class TFormStorage : public FormStorage {
public:
    explicit TFormStorage(MediaList& list);
    // The window's destruction: saves unless saved since the last restore.
    ~TFormStorage();
};

}  // namespace orvik
