// The chooser of each face of the Lame/Vorbis dialog: picking an entry of
// the encoder list brings up that encoder's face.
#pragma once
#include <string>
#include <vector>

namespace orvik {

// The encoder list as the Lame/Vorbis dialog's choosers show it.
const std::vector<std::string>& EncoderChoiceItems();

enum class EncodeFace { Lame, OggEnc, OggDec };

// One step of a chooser action, run in order.
struct ChooserStep {
    enum Kind { ShowPanel, HidePanel, SetChooserText } kind;
    EncodeFace face;   // the panel (OggEnc, OggDec) or the face whose chooser is set
    std::string text;  // SetChooserText only
    bool operator==(const ChooserStep& o) const { return kind == o.kind && face == o.face && text == o.text; }
};

// The steps for an entry picked in any of the dialog's three choosers. The
// entries that lead to the other encoder dialogs (3 to 5) and indexes out of
// range give no steps here.
std::vector<ChooserStep> EncodeFormChooserSteps(int index);

// The chooser key filter: only a carriage return gets through.
bool ChooserKeyAccepted(char key);

}  // namespace orvik
