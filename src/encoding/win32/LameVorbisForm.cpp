#include "encoding/win32/LameVorbisForm.h"

#include "app/win32/Accessible.h"
#include "app/win32/Application.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/EncoderForm.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
const char* const kLameFilter =
    "WAV files (*.wav)|*.wav|All MPEG files|*.mp3;*.mp2;*.mp1;*.mpeg;*.mpg|All files (*.*)|*.*";
const char* const kOggEncFilter =
    "RAW files (*.raw)|*.raw|WAV files (*.wav)|*.wav|AIFF files (*.aiff)|*.aiff|All files (*.*)|*.*";
const char* const kOggDecFilter = "OGG files (*.ogg)|*.ogg";

// The chooser lets only a carriage return through.
void FilterChooserKey(char& key) {
    if (!ChooserKeyAccepted(key)) key = 0;
}

constexpr EncodeFace kFaces[] = {EncodeFace::Lame, EncodeFace::OggEnc, EncodeFace::OggDec};
}  // namespace

LameVorbisForm::LameVorbisForm() {
    CreateDialogForm(
        EncoderDialogSpec("TEncodeForm", "Media Encoder - Lame MP3, Vorbis OGG", FormBorder::Dialog, 287, 197, false));
    for (EncodeFace face : kFaces)
        if (ChooserHasKeyFilter(face)) FaceOf(face).chooser.onKeyPress = FilterChooserKey;
    UpdateFaces();
}

void LameVorbisForm::BuildControls() {
    CreateLameFace();
    CreateOggEncFace();
    CreateOggDecFace();
    // What the choosers were given before: the panels shown, the texts.
    for (EncodeFace face : kFaces) {
        Face& f = FaceOf(face);
        if (!f.pendingChooserText.empty()) f.chooser.ShowText(f.pendingChooserText.c_str());
        f.pendingChooserText.clear();
    }
    UpdateFaces();
}

void LameVorbisForm::ShowChooserText(EncodeFace face, const std::string& text) {
    if (Built())
        FaceOf(face).chooser.ShowText(text.c_str());
    else
        FaceOf(face).pendingChooserText = text;
}

LameVorbisForm::~LameVorbisForm() = default;

void LameVorbisForm::Connect(FaceSwitcher& switcher, Form& wmaDialog) {
    wmaDialog_ = &wmaDialog;
    for (EncodeFace face : kFaces) {
        std::function<void(bool)> showPanel;
        if (face != EncodeFace::Lame) showPanel = [this, face](bool visible) { ShowPanel(face, visible); };
        switcher.Register(
            face, *this, [this, face](const std::string& text) { ShowChooserText(face, text); }, showPanel);
        FaceOf(face).chooser.onPick = [&switcher, face](int index) { switcher.Pick(face, index); };
        FaceOf(face).chooser.keysBrowse = true;
    }
}

void LameVorbisForm::AddGroupBoxes(Face& face, std::initializer_list<GroupBoxSpec> boxes) {
    for (const GroupBoxSpec& b : boxes) {
        HWND box = AddChild(ChildSpec{"BUTTON", b.caption, WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, {hwnd_, b.place}});
        groupBoxes_.push_back(std::make_unique<GroupBox>(BackgroundBrush()));
        groupBoxes_.back()->Attach(box);
        face.windows.push_back(box);
    }
}

HWND LameVorbisForm::AddCombo(Face& face, UINT_PTR id, int x, int y, int w, const std::vector<std::string>& items,
                              const char* text, ComboBox& combo) {
    HWND box = CreateFieldCombo(*this, ChildPlace{hwnd_, At(x, y, w, 21), id}, items, text, combo);
    ShowWindow(box, SW_HIDE);  // until its face shows
    face.windows.push_back(box);
    return box;
}

HWND LameVorbisForm::AddEdit(Face& face, UINT_PTR id, int x, int y, int w, const char* text) {
    HWND edit = AddChild(ChildSpec{"EDIT", text, WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL,
                                   WS_EX_CLIENTEDGE, {hwnd_, At(x, y, w, 21), id}});
    face.windows.push_back(edit);
    return edit;
}

void LameVorbisForm::AddSwitch(Face& face, Switch& sw, UINT_PTR id, int x, int y, const char* caption, bool on) {
    SwitchSpec s;
    s.place = {hwnd_, At(x, y, 73, 17), id};
    s.caption = caption;
    s.textPosition = CaptionPlace::Right;
    s.stateOn = on;
    s.color = kMedGray;
    s.font = FontHandle();
    sw.CreateControl(s);
    ShowWindow(sw.Handle(), SW_HIDE);
    SetDialogSwitchGlyphs(sw);
    face.windows.push_back(sw.Handle());
}

void LameVorbisForm::AddLabel(Face& face, TextLabel& label, int x, int y, const char* caption) {
    label.Place(x, y, caption, BoldFont());
    AddGraphic(&label);
    face.graphics.push_back(&label);
}

void LameVorbisForm::AddButton(Face& face, SpeedButton& button, int x, int y, int w, int h, const char* caption,
                               void (LameVorbisForm::*action)()) {
    button.SetBounds(x, y, w, h);
    if (caption) {
        button.SetCaption(caption);
        button.SetFont(BoldFont());
    } else {
        button.SetGlyph(LoadBitmapResource("ENC_OPEN_FOLDER"));
        button.SetAccessibleName(kBrowseButtonName);
    }
    button.onClick = [this, action] { (this->*action)(); };
    button.SetTabStop(true);
    AddGraphic(&button);
    face.graphics.push_back(&button);
}

void LameVorbisForm::CreateLameFace() {
    Face& face = FaceOf(EncodeFace::Lame);
    AddCombo(face, kIdLameChooser, 8 + 8, 8 + 15, 121, EncoderChoiceItems(), "Lame MP3 Encoder", face.chooser);
    AddCombo(face, kIdLameBitRate, 160 + 8, 8 + 15, 105, BitRateItems(), "128", lameBitRate_);
    AddSwitch(face, lameHighQuality_, kIdLameHighQuality, 8 + 8, 56 + 16, "high quality", true);
    AddSwitch(face, lameMono_, kIdLameMono, 8 + 192, 56 + 16, "mono mode", false);
    AddLabel(face, lameInputLabel_, 8, 109, "Input file:");
    lameInput_ = AddEdit(face, kIdLameInput, 80, 104, 177, "");
    AddButton(face, lameBrowseButton_, 258, 104, 23, 21, nullptr, &LameVorbisForm::BrowseLame);
    AddLabel(face, lameOutputLabel_, 8, 140, "Output file:");
    lameOutput_ = AddEdit(face, kIdLameOutput, 80, 136, 201, "EncodedFile");
    AddButton(face, encodeMp3Button_, 8, 168, 273, 22, "Encode to MP3 !", &LameVorbisForm::EncodeMp3);
    AddGroupBoxes(face, {{"Select Encoder", At(8, 8, 137, 41)},
                         {"Select encode bit rate", At(160, 8, 121, 41)},
                         {"Parametrs", At(8, 56, 273, 41)}});
    NameCombo(face.chooser.Handle(), "Select Encoder");
    NameCombo(lameBitRate_.Handle(), "Select encode bit rate");
    SetAccessibleName(lameInput_, "Input file:");
    SetAccessibleName(lameOutput_, "Output file:");
}

void LameVorbisForm::CreateOggEncFace() {
    Face& face = FaceOf(EncodeFace::OggEnc);
    AddCombo(face, kIdOggEncChooser, 8 + 8, 8 + 15, 121, EncoderChoiceItems(), "Vorbis OGG Encoder", face.chooser);
    AddCombo(face, kIdOggEncBitRate, 160 + 8, 8 + 15, 105, BitRateItems(), "128", oggEncBitRate_);
    AddCombo(face, kIdOggEncQuality, 8 + 8, 56 + 15, 121, QualityLevelItems(), "8", oggEncQuality_);
    AddSwitch(face, oggEncManaged_, kIdOggEncManaged, 160 + 24, 56 + 16, "managed", false);
    AddLabel(face, oggEncInputLabel_, 8, 109, "Input file:");
    oggEncInput_ = AddEdit(face, kIdOggEncInput, 80, 104, 177, "");
    AddButton(face, oggEncBrowseButton_, 258, 104, 23, 21, nullptr, &LameVorbisForm::BrowseOggEnc);
    AddButton(face, encodeOggButton_, 8, 136, 273, 54, "Encode to OGG !", &LameVorbisForm::EncodeOgg);
    AddGroupBoxes(face, {{"Select Encoder", At(8, 8, 137, 41)},
                         {"Select encode bit rate", At(160, 8, 121, 41)},
                         {"Quality level", At(8, 56, 137, 41)},
                         {"Parametrs", At(160, 56, 121, 41)}});
    NameCombo(face.chooser.Handle(), "Select Encoder");
    NameCombo(oggEncBitRate_.Handle(), "Select encode bit rate");
    NameCombo(oggEncQuality_.Handle(), "Quality level");
    SetAccessibleName(oggEncInput_, "Input file:");
}

void LameVorbisForm::CreateOggDecFace() {
    Face& face = FaceOf(EncodeFace::OggDec);
    AddCombo(face, kIdOggDecChooser, 8 + 8, 8 + 15, 257, EncoderChoiceItems(), "Vorbis OGG Decoder", face.chooser);
    AddLabel(face, oggDecInputLabel_, 8, 69, "Input file:");
    // The label is a way into the WMA dialog.
    oggDecInputLabel_.onClick = [this] {
        if (wmaDialog_) Application::Instance().ShowModal(*wmaDialog_);
    };
    oggDecInput_ = AddEdit(face, kIdOggDecInput, 80, 64, 177, "");
    AddButton(face, oggDecBrowseButton_, 258, 64, 23, 21, nullptr, &LameVorbisForm::BrowseOggDec);
    AddButton(face, decodeOggButton_, 8, 96, 273, 97, "Decode OGG to WAV !", &LameVorbisForm::DecodeOgg);
    AddGroupBoxes(face, {{"Select Encoder", At(8, 8, 273, 41)}});
    NameCombo(face.chooser.Handle(), "Select Encoder");
    SetAccessibleName(oggDecInput_, "Input file:");
}

// The panels lie above the Lame face and the decoder panel above the encoder
// panel: only the topmost visible face has its controls shown.
void LameVorbisForm::UpdateFaces() {
    Face& lame = FaceOf(EncodeFace::Lame);
    Face& oggEnc = FaceOf(EncodeFace::OggEnc);
    Face& oggDec = FaceOf(EncodeFace::OggDec);
    lame.visible = !oggEnc.visible && !oggDec.visible;
    if (!Built()) return;  // the controls take the faces' states when they are made
    Face& shown = oggDec.visible ? oggDec : oggEnc.visible ? oggEnc : lame;
    for (Face& face : faces_) {
        const bool on = &face == &shown;
        for (HWND w : face.windows) ShowWindow(w, on ? SW_SHOWNA : SW_HIDE);
        for (GraphicControl* g : face.graphics) g->SetVisible(on);
    }
    // Keyboard focus follows the face: a hidden control cannot keep it.
    HWND focus = GetFocus();
    if (hwnd_ && ((focus == hwnd_ && !GraphicHost::Of(hwnd_)->Focused()) ||
                  (focus && IsChild(hwnd_, focus) && !IsWindowVisible(focus))))
        SetFocus(shown.chooser.Handle());
}

GraphicControl* LameVorbisForm::DefaultButton() {
    if (FaceOf(EncodeFace::OggDec).visible) return &decodeOggButton_;
    if (FaceOf(EncodeFace::OggEnc).visible) return &encodeOggButton_;
    return &encodeMp3Button_;
}

void LameVorbisForm::ShowPanel(EncodeFace panel, bool visible) {
    if (panel == EncodeFace::Lame) return;  // the form's own controls, not a panel
    FaceOf(panel).visible = visible;
    UpdateFaces();
}

void LameVorbisForm::BrowseLame() {
    EnsureBuilt();
    BrowseInto(hwnd_, lameInput_, kLameFilter);
}
void LameVorbisForm::BrowseOggEnc() {
    EnsureBuilt();
    BrowseInto(hwnd_, oggEncInput_, kOggEncFilter);
}
void LameVorbisForm::BrowseOggDec() {
    EnsureBuilt();
    BrowseInto(hwnd_, oggDecInput_, kOggDecFilter);
}

void LameVorbisForm::EncodeMp3() {
    EnsureBuilt();
    std::string input, bitRate, output;
    if (!TakeInput(lameInput_, input) || !TakeFieldText(lameBitRate_.Handle(), "The bit rate", bitRate) ||
        !TakeOutputName(lameOutput_, ".mp3", output))
        return;
    LaunchEncoderTool(kLameTool, LameOptionText(lameHighQuality_.StateOn(), lameMono_.StateOn(), bitRate, input, output));
}

void LameVorbisForm::EncodeOgg() {
    EnsureBuilt();
    std::string input, bitRate, quality;
    if (!TakeInput(oggEncInput_, input) || !TakeFieldText(oggEncBitRate_.Handle(), "The bit rate", bitRate) ||
        !TakeFieldText(oggEncQuality_.Handle(), "The quality level", quality))
        return;
    LaunchEncoderTool(kOggEncTool, OggEncOptionText(input, oggEncManaged_.StateOn(), bitRate, quality));
}

void LameVorbisForm::DecodeOgg() {
    EnsureBuilt();
    std::string input;
    if (!TakeInput(oggDecInput_, input)) return;
    LaunchEncoderTool(kOggDecTool, OggDecOptionText(input));
}

}  // namespace orvik
