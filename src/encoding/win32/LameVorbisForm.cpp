#include "encoding/win32/LameVorbisForm.h"

#include "app/win32/Application.h"
#include "controls/win32/OpenDialog.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/ControlIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
constexpr int kComboHeight = 21;
constexpr int kDropDownHeight = 200;

const char* const kLameFilter =
    "WAV files (*.wav)|*.wav|All MPEG files|*.mp3;*.mp2;*.mp1;*.mpeg;*.mpg|All files (*.*)|*.*";
const char* const kOggEncFilter =
    "RAW files (*.raw)|*.raw|WAV files (*.wav)|*.wav|AIFF files (*.aiff)|*.aiff|All files (*.*)|*.*";
const char* const kOggDecFilter = "OGG files (*.ogg)|*.ogg";

std::string TextOf(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(control, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

bool ShownAndFocusable(HWND w) { return w && IsWindowVisible(w) && IsWindowEnabled(w); }

// The chooser lets only a carriage return through.
void FilterChooserKey(char& key) {
    if (!ChooserKeyAccepted(key)) key = 0;
}
}  // namespace

LameVorbisForm::LameVorbisForm() {
    FormSpec spec;
    spec.className = "TEncodeForm";
    spec.caption = "Media Encoder - Lame MP3, Vorbis OGG";
    spec.clientWidth = 287;
    spec.clientHeight = 197;
    spec.border = FormBorder::Dialog;
    spec.stayOnTop = true;
    spec.screenCenter = true;
    spec.color = kMedGray;
    CreateForm(spec);

    background_.Reset(CreateSolidBrush(kMedGray));
    boldFont_ = CreateUiFont("MS Sans Serif", 11, true);
    fieldBrush_.Reset(CreateSolidBrush(GetSysColor(COLOR_GRADIENTINACTIVECAPTION)));

    CreateLameFace();
    CreateOggEncFace();
    CreateOggDecFace();
    for (Face& face : faces_) face.chooser.OnPick = [this](int index) { PickEncoder(index); };
    UpdateFaces();
}

LameVorbisForm::~LameVorbisForm() = default;

void LameVorbisForm::AddGroupBox(Face& face, const char* caption, int x, int y, int w, int h) {
    HWND box = AddChild(ChildSpec{"BUTTON", caption, x, y, w, h, WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX});
    groupBoxes_.push_back(std::make_unique<GroupBox>(background_.Get()));
    groupBoxes_.back()->Attach(box);
    face.windows.push_back(box);
}

// Group boxes go behind the controls they frame, once the face is complete.
void LameVorbisForm::SendGroupBoxesBack(const Face& face) {
    for (HWND w : face.windows)
        if (GroupBox* box = dynamic_cast<GroupBox*>(SubclassedControl::FromHandle(w)))
            SetWindowPos(box->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

HWND LameVorbisForm::AddCombo(Face& face, UINT_PTR id, int x, int y, int w, const std::vector<std::string>& items,
                              const char* text, ComboBox& combo) {
    HWND box = AddChild(ChildSpec{"COMBOBOX", "", x, y, w, kComboHeight + kDropDownHeight,
                                  WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN |
                                      CBS_AUTOHSCROLL,
                                  0, id});
    for (const std::string& item : items) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    // The closed box is as high as the dialog's other fields.
    RECT r;
    GetWindowRect(box, &r);
    const int closed = r.bottom - r.top;
    const LRESULT field = SendMessageA(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (closed != kComboHeight && field > 0)
        SendMessageA(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + kComboHeight - closed);
    combo.Attach(box);
    SetWindowTextA(box, text);
    combo.ShowFromStart();
    face.windows.push_back(box);
    return box;
}

HWND LameVorbisForm::AddEdit(Face& face, UINT_PTR id, int x, int y, int w, const char* text) {
    HWND edit = AddChild(ChildSpec{"EDIT", text, x, y, w, 21, WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL,
                                   WS_EX_CLIENTEDGE, id});
    face.windows.push_back(edit);
    return edit;
}

void LameVorbisForm::AddSwitch(Face& face, Switch& sw, UINT_PTR id, int x, int y, const char* caption, bool on) {
    SwitchSpec s;
    s.parent = hwnd_;
    s.x = x;
    s.y = y;
    s.width = 73;
    s.height = 17;
    s.caption = caption;
    s.textPosition = TTextPos::tpRight;
    s.stateOn = on;
    s.color = kMedGray;
    s.font = FontHandle();
    s.id = id;
    sw.CreateControl(s);
    ShowWindow(sw.Handle(), SW_HIDE);
    // The dialogs' own pair: a 14 x 14 sunken square, dark off, light on.
    Bitmap off = LoadBitmapResource("ENC_SWITCH_OFF"), lit = LoadBitmapResource("ENC_SWITCH_ON");
    sw.SetGlyphOff(off.Get());
    sw.SetGlyphOn(lit.Get());
    face.windows.push_back(sw.Handle());
}

void LameVorbisForm::AddLabel(Face& face, TextLabel& label, int x, int y, const char* caption) {
    label.Place(x, y, caption, boldFont_.Get());
    AddGraphic(&label);
    face.graphics.push_back(&label);
}

void LameVorbisForm::AddButton(Face& face, SpeedButton& button, int x, int y, int w, int h, const char* caption,
                               void (LameVorbisForm::*action)()) {
    button.SetBounds(x, y, w, h);
    if (caption) {
        button.SetCaption(caption);
        button.SetFont(boldFont_.Get());
    } else {
        button.SetGlyph(LoadBitmapResource("ENC_OPEN_FOLDER"));
    }
    button.OnClick = [this, action] { (this->*action)(); };
    AddGraphic(&button);
    face.graphics.push_back(&button);
}

void LameVorbisForm::CreateLameFace() {
    Face& face = FaceOf(EncodeFace::Lame);
    AddGroupBox(face, "Select Encoder", 8, 8, 137, 41);
    AddCombo(face, kIdLameChooser, 8 + 8, 8 + 15, 121, EncoderChoiceItems(), "Lame MP3 Encoder", face.chooser);
    AddGroupBox(face, "Select encode bit rate", 160, 8, 121, 41);
    AddCombo(face, kIdLameBitRate, 160 + 8, 8 + 15, 105, BitRateItems(), "128", lameBitRate_);
    AddGroupBox(face, "Parametrs", 8, 56, 273, 41);
    AddSwitch(face, lameHighQuality_, kIdLameHighQuality, 8 + 8, 56 + 16, "high quality", true);
    AddSwitch(face, lameMono_, kIdLameMono, 8 + 192, 56 + 16, "mono mode", false);
    AddLabel(face, lameInputLabel_, 8, 109, "Input file:");
    lameInput_ = AddEdit(face, kIdLameInput, 80, 104, 177, "");
    AddButton(face, lameBrowseButton_, 258, 104, 23, 21, nullptr, &LameVorbisForm::BrowseLame);
    AddLabel(face, lameOutputLabel_, 8, 140, "Output file:");
    lameOutput_ = AddEdit(face, kIdLameOutput, 80, 136, 201, "EncodedFile");
    AddButton(face, encodeMp3Button_, 8, 168, 273, 22, "Encode to MP3 !", &LameVorbisForm::EncodeMp3);
    face.chooser.OnKeyPress = FilterChooserKey;
    SendGroupBoxesBack(face);
}

void LameVorbisForm::CreateOggEncFace() {
    Face& face = FaceOf(EncodeFace::OggEnc);
    AddGroupBox(face, "Select Encoder", 8, 8, 137, 41);
    AddCombo(face, kIdOggEncChooser, 8 + 8, 8 + 15, 121, EncoderChoiceItems(), "Vorbis OGG Encoder", face.chooser);
    AddGroupBox(face, "Select encode bit rate", 160, 8, 121, 41);
    AddCombo(face, kIdOggEncBitRate, 160 + 8, 8 + 15, 105, BitRateItems(), "128", oggEncBitRate_);
    AddGroupBox(face, "Quality level", 8, 56, 137, 41);
    AddCombo(face, kIdOggEncQuality, 8 + 8, 56 + 15, 121, QualityLevelItems(), "8", oggEncQuality_);
    AddGroupBox(face, "Parametrs", 160, 56, 121, 41);
    AddSwitch(face, oggEncManaged_, kIdOggEncManaged, 160 + 24, 56 + 16, "managed", false);
    AddLabel(face, oggEncInputLabel_, 8, 109, "Input file:");
    oggEncInput_ = AddEdit(face, kIdOggEncInput, 80, 104, 177, "");
    AddButton(face, oggEncBrowseButton_, 258, 104, 23, 21, nullptr, &LameVorbisForm::BrowseOggEnc);
    AddButton(face, encodeOggButton_, 8, 136, 273, 54, "Encode to OGG !", &LameVorbisForm::EncodeOgg);
    face.chooser.OnKeyPress = FilterChooserKey;
    SendGroupBoxesBack(face);
}

void LameVorbisForm::CreateOggDecFace() {
    Face& face = FaceOf(EncodeFace::OggDec);
    AddGroupBox(face, "Select Encoder", 8, 8, 273, 41);
    AddCombo(face, kIdOggDecChooser, 8 + 8, 8 + 15, 257, EncoderChoiceItems(), "Vorbis OGG Decoder", face.chooser);
    AddLabel(face, oggDecInputLabel_, 8, 69, "Input file:");
    // The label is a way into the WMA dialog.
    oggDecInputLabel_.OnClick = [this] {
        if (wmaDialog_) Application::Instance().ShowModal(*wmaDialog_);
    };
    oggDecInput_ = AddEdit(face, kIdOggDecInput, 80, 64, 177, "");
    AddButton(face, oggDecBrowseButton_, 258, 64, 23, 21, nullptr, &LameVorbisForm::BrowseOggDec);
    AddButton(face, decodeOggButton_, 8, 96, 273, 97, "Decode OGG to WAV !", &LameVorbisForm::DecodeOgg);
    SendGroupBoxesBack(face);
}

// The panels lie above the Lame face and the decoder panel above the encoder
// panel: only the topmost visible face has its controls shown.
void LameVorbisForm::UpdateFaces() {
    Face& lame = FaceOf(EncodeFace::Lame);
    Face& oggEnc = FaceOf(EncodeFace::OggEnc);
    Face& oggDec = FaceOf(EncodeFace::OggDec);
    lame.visible = !oggEnc.visible && !oggDec.visible;
    Face& shown = oggDec.visible ? oggDec : oggEnc.visible ? oggEnc : lame;
    for (Face& face : faces_) {
        const bool on = &face == &shown;
        for (HWND w : face.windows) ShowWindow(w, on ? SW_SHOWNA : SW_HIDE);
        for (GraphicControl* g : face.graphics) g->SetVisible(on);
    }
    // Keyboard focus follows the face: a hidden control cannot keep it.
    HWND focus = GetFocus();
    if (hwnd_ && (focus == hwnd_ || (focus && IsChild(hwnd_, focus) && !IsWindowVisible(focus))))
        SetFocus(shown.chooser.Handle());
}

void LameVorbisForm::PickEncoder(int index) {
    for (const ChooserStep& step : EncodeFormChooserSteps(index)) {
        Face& face = FaceOf(step.face);
        switch (step.kind) {
        case ChooserStep::ShowPanel:
        case ChooserStep::HidePanel:
            face.visible = step.kind == ChooserStep::ShowPanel;
            UpdateFaces();
            break;
        case ChooserStep::SetChooserText:
            face.chooser.ShowText(step.text.c_str());
            break;
        }
    }
}

void LameVorbisForm::Browse(HWND edit, const char* filter) {
    OpenDialogOptions options;
    options.filter = filter;
    std::string path;
    if (!RunOpenDialog(hwnd_, options, path)) return;
    SetWindowTextA(edit, "");
    SetWindowTextA(edit, path.c_str());
}

void LameVorbisForm::BrowseLame() { Browse(lameInput_, kLameFilter); }
void LameVorbisForm::BrowseOggEnc() { Browse(oggEncInput_, kOggEncFilter); }
void LameVorbisForm::BrowseOggDec() { Browse(oggDecInput_, kOggDecFilter); }

void LameVorbisForm::EncodeMp3() {
    const std::string input = TextOf(lameInput_);
    if (input.empty()) {
        MessageBeep(0);
        return;
    }
    LaunchEncoderTool(kLameTool, LameOptionText(lameHighQuality_.StateOn(), lameMono_.StateOn(),
                                                TextOf(lameBitRate_.Handle()), input, TextOf(lameOutput_)));
}

void LameVorbisForm::EncodeOgg() {
    const std::string input = TextOf(oggEncInput_);
    if (input.empty()) {
        MessageBeep(0);
        return;
    }
    LaunchEncoderTool(kOggEncTool, OggEncOptionText(input, oggEncManaged_.StateOn(), TextOf(oggEncBitRate_.Handle()),
                                                    TextOf(oggEncQuality_.Handle())));
}

void LameVorbisForm::DecodeOgg() {
    const std::string input = TextOf(oggDecInput_);
    if (input.empty()) {
        MessageBeep(0);
        return;
    }
    LaunchEncoderTool(kOggDecTool, OggDecOptionText(input));
}

bool LameVorbisForm::PreTranslateMessage(MSG& msg) {
    // Tab and Shift+Tab move between the dialog's controls.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) return IsDialogMessageA(hwnd_, &msg) != FALSE;
    return false;
}

LRESULT LameVorbisForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(fieldBrush_.Get());
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        } else {
            // Back to the control that had the focus, unless a click on a
            // control has already given it the focus.
            HWND focus = GetFocus();
            if (focus && focus != hwnd_ && IsChild(hwnd_, focus)) return 0;
            HWND target = ShownAndFocusable(lastFocus_) ? lastFocus_ : GetNextDlgTabItem(hwnd_, nullptr, FALSE);
            if (target) SetFocus(target);
        }
        return 0;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvik
