// The encoder chooser: the six encoders, the faces and dialogs they lead to,
// and what picking an entry in any of the six choosers does. This is the one
// place that knows the switching rules; every chooser window runs the steps
// it is given here.
#pragma once
#include <string>
#include <vector>

namespace orvik {

// The six faces, in the order of the encoder list: a face's value is the
// index of its own entry. Each face has one chooser. The first three are
// faces of the Lame/Vorbis dialog (the Lame face and its two panels); the
// other three are dialogs of their own.
enum class EncodeFace { Lame, OggEnc, OggDec, GoGo, Aac, Wma };
constexpr int kEncodeFaceCount = 6;

// The four encoder dialogs: "TEncodeForm" and "TEncodeForm2" to "TEncodeForm4".
enum class EncoderDialog { LameVorbis, GoGo, Aac, Wma };

EncoderDialog DialogOf(EncodeFace face);

// The encoder list as the Lame/Vorbis dialog's choosers show it.
const std::vector<std::string>& EncoderChoiceItems();
// The encoder list of one chooser: the sixth entry reads "WMA Encoder" in the
// GoGo and WMA dialogs, "WMA\WMV Encoder" elsewhere.
const std::vector<std::string>& ChooserItems(EncodeFace chooser);
// A chooser's own entry: its text at start and the text it is set back to.
const std::string& ChooserOwnEntry(EncodeFace chooser);
// Whether typed characters reach the chooser only through ChooserKeyAccepted
// (the Lame face's and the Vorbis encoder panel's choosers).
bool ChooserHasKeyFilter(EncodeFace chooser);

// One step of a chooser action.
struct SwitchStep {
    enum Kind {
        HideDialog,      // make `dialog` invisible
        ShowDialog,      // make `dialog` visible and bring it to the front
        HidePanel,       // make the `face` panel (OggEnc, OggDec) invisible
        ShowPanel,       // make the `face` panel visible
        SetChooserText,  // show `text` in the chooser of `face`, raising no selection
    } kind;
    EncoderDialog dialog = EncoderDialog::LameVorbis;  // dialog steps
    EncodeFace face = EncodeFace::Lame;                // panel and chooser steps
    std::string text;                                  // SetChooserText

    static SwitchStep Hide(EncoderDialog d) { return {HideDialog, d, EncodeFace::Lame, {}}; }
    static SwitchStep Show(EncoderDialog d) { return {ShowDialog, d, EncodeFace::Lame, {}}; }
    static SwitchStep HidePanelOf(EncodeFace f) { return {HidePanel, EncoderDialog::LameVorbis, f, {}}; }
    static SwitchStep ShowPanelOf(EncodeFace f) { return {ShowPanel, EncoderDialog::LameVorbis, f, {}}; }
    static SwitchStep SetText(EncodeFace f) { return {SetChooserText, EncoderDialog::LameVorbis, f, ChooserOwnEntry(f)}; }

    bool operator==(const SwitchStep& o) const {
        return kind == o.kind && dialog == o.dialog && face == o.face && text == o.text;
    }
};

// The steps, to run in order, for entry `index` picked in the chooser of
// `chooser`; no steps for an index outside 0 to 5.
const std::vector<SwitchStep>& ChooserSwitchSteps(EncodeFace chooser, int index);

// The chooser key filter: only a carriage return gets through.
bool ChooserKeyAccepted(char key);

}  // namespace orvik
