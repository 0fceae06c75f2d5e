// The player window (class "TPlayForm"), captioned "Player".
#pragma once
#include "app/win32/Form.h"
#include "controls/MediaList.h"

namespace orvik {

class PlayerForm : public Form {
public:
    // The player plays the selected entry of the media list.
    explicit PlayerForm(MediaList& media);

private:
    MediaList& media_;
};

}  // namespace orvik
