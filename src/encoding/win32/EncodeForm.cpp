#include "encoding/win32/EncodeForm.h"

#include "app/win32/Application.h"
#include "app/win32/WindowSet.h"
#include "controls/win32/OpenDialog.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/EncodeForm4.h"
#include "encoding/win32/EncodeFormIds.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
// A chooser's pick is handled once the combo box has finished its own
// notification (its drop-down list may still be closing).
constexpr UINT kChooserPicked = WM_APP + 1;
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

// A combo box that is not being edited shows its text from the start,
// without a selection (setting the text selects all of it).
void ShowFromStart(HWND combo) {
    HWND focus = GetFocus();
    if (focus != combo && !IsChild(combo, focus)) SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, 0));
}
}  // namespace

LRESULT FilledGroupBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) return TRUE;
    if (msg != WM_PAINT) return Default(msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT r;
    GetClientRect(hwnd_, &r);
    FillRect(dc, &r, background_);
    Default(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    EndPaint(hwnd_, &ps);
    return 0;
}

LRESULT KeyPressFilter::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CHAR && OnKeyPress) {
        char key = static_cast<char>(wParam);
        OnKeyPress(key);
        if (key == 0) return 0;
        wParam = static_cast<unsigned char>(key);
    }
    return Default(msg, wParam, lParam);
}

TEncodeForm::TEncodeForm() {
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
    folderGlyph_ = LoadBitmapResource("ENC_OPEN_FOLDER");

    CreateLameFace();
    CreateOggEncPanel();
    CreateOggDecPanel();
    UpdateFaces();
}

TEncodeForm::~TEncodeForm() = default;

HWND TEncodeForm::AddGroupBox(FacePanel& face, const char* caption, int x, int y, int w, int h) {
    HWND box = AddChild(ChildSpec{"BUTTON", caption, x, y, w, h, WS_CHILD | WS_CLIPSIBLINGS | BS_GROUPBOX});
    groupBoxes_.push_back(std::make_unique<FilledGroupBox>(background_.Get()));
    groupBoxes_.back()->Attach(box);
    face.windows.push_back(box);
    return box;
}

HWND TEncodeForm::AddCombo(FacePanel& face, UINT_PTR id, int x, int y, int w,
                           const std::vector<std::string>& items, const char* text) {
    HWND combo = AddChild(ChildSpec{"COMBOBOX", "", x, y, w, kComboHeight + kDropDownHeight,
                                    WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN |
                                        CBS_AUTOHSCROLL,
                                    0, id});
    for (const std::string& item : items) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    // The closed box is as high as the dialog's other fields.
    RECT r;
    GetWindowRect(combo, &r);
    const int closed = r.bottom - r.top;
    const LRESULT field = SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (closed != kComboHeight && field > 0)
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + kComboHeight - closed);
    SetWindowTextA(combo, text);
    ShowFromStart(combo);
    face.windows.push_back(combo);
    return combo;
}

HWND TEncodeForm::AddEdit(FacePanel& face, UINT_PTR id, int x, int y, int w, const char* text) {
    HWND edit = AddChild(ChildSpec{"EDIT", text, x, y, w, 21, WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL,
                                   WS_EX_CLIENTEDGE, id});
    face.windows.push_back(edit);
    return edit;
}

void TEncodeForm::AddSwitch(FacePanel& face, TRxSwitch& sw, UINT_PTR id, int x, int y, const char* caption,
                            bool on) {
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

void TEncodeForm::AddLabel(FacePanel& face, TextLabel& label, int x, int y, const char* caption) {
    label.Place(x, y, caption, boldFont_.Get());
    AddGraphic(&label);
    face.graphics.push_back(&label);
}

void TEncodeForm::AddButton(FacePanel& face, SpeedButton& button, int x, int y, int w, int h, const char* caption,
                            std::function<void()> onClick) {
    button.SetBounds(x, y, w, h);
    if (caption) {
        button.SetCaption(caption);
        button.SetFont(boldFont_.Get());
    } else {
        button.SetGlyph(LoadBitmapResource("ENC_OPEN_FOLDER"));
    }
    button.OnClick = std::move(onClick);
    AddGraphic(&button);
    face.graphics.push_back(&button);
}

void TEncodeForm::CreateLameFace() {
    HWND g1 = AddGroupBox(Lame, "Select Encoder", 8, 8, 137, 41);
    ComboBox1 = AddCombo(Lame, kIdComboBox1, 8 + 8, 8 + 15, 121, EncoderChoiceItems(), "Lame MP3 Encoder");
    HWND g2 = AddGroupBox(Lame, "Select encode bit rate", 160, 8, 121, 41);
    Edit1 = AddCombo(Lame, kIdEdit1, 160 + 8, 8 + 15, 105, BitRateItems(), "128");
    HWND g3 = AddGroupBox(Lame, "Parametrs", 8, 56, 273, 41);
    AddSwitch(Lame, RxSwitch1, kIdRxSwitch1, 8 + 8, 56 + 16, "high quality", true);
    AddSwitch(Lame, RxSwitch2, kIdRxSwitch2, 8 + 192, 56 + 16, "mono mode", false);
    AddLabel(Lame, Label1, 8, 109, "Input file:");
    FileEdit1 = AddEdit(Lame, kIdFileEdit1, 80, 104, 177, "");
    AddButton(Lame, SpeedButton2, 258, 104, 23, 21, nullptr, [this] { SpeedButton2Click(); });
    AddLabel(Lame, Label3, 8, 140, "Output file:");
    Edit2 = AddEdit(Lame, kIdEdit2, 80, 136, 201, "EncodedFile");
    AddButton(Lame, SpeedButton1, 8, 168, 273, 22, "Encode to MP3 !", [this] { SpeedButton1Click(); });
    for (HWND g : {g1, g2, g3}) SetWindowPos(g, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    comboBox1Keys_.Attach(GetWindow(ComboBox1, GW_CHILD));
    comboBox1Keys_.OnKeyPress = [this](char& key) { ComboBox1KeyPress(key); };
}

void TEncodeForm::CreateOggEncPanel() {
    HWND g4 = AddGroupBox(OggEnc, "Select Encoder", 8, 8, 137, 41);
    ComboBox2 = AddCombo(OggEnc, kIdComboBox2, 8 + 8, 8 + 15, 121, EncoderChoiceItems(), "Vorbis OGG Encoder");
    HWND g5 = AddGroupBox(OggEnc, "Select encode bit rate", 160, 8, 121, 41);
    BitBox = AddCombo(OggEnc, kIdBitBox, 160 + 8, 8 + 15, 105, BitRateItems(), "128");
    HWND g6 = AddGroupBox(OggEnc, "Quality level", 8, 56, 137, 41);
    LevelBox = AddCombo(OggEnc, kIdLevelBox, 8 + 8, 56 + 15, 121, QualityLevelItems(), "8");
    HWND g7 = AddGroupBox(OggEnc, "Parametrs", 160, 56, 121, 41);
    AddSwitch(OggEnc, RxSwitch3, kIdRxSwitch3, 160 + 24, 56 + 16, "managed", false);
    AddLabel(OggEnc, Label2, 8, 109, "Input file:");
    FileEdit2 = AddEdit(OggEnc, kIdFileEdit2, 80, 104, 177, "");
    AddButton(OggEnc, SpeedButton3, 258, 104, 23, 21, nullptr, [this] { SpeedButton3Click(); });
    AddButton(OggEnc, SpeedButton4, 8, 136, 273, 54, "Encode to OGG !", [this] { SpeedButton4Click(); });
    for (HWND g : {g4, g5, g6, g7}) SetWindowPos(g, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    comboBox2Keys_.Attach(GetWindow(ComboBox2, GW_CHILD));
    comboBox2Keys_.OnKeyPress = [this](char& key) { ComboBox1KeyPress(key); };
}

void TEncodeForm::CreateOggDecPanel() {
    HWND g8 = AddGroupBox(OggDec, "Select Encoder", 8, 8, 273, 41);
    ComboBox3 = AddCombo(OggDec, kIdComboBox3, 8 + 8, 8 + 15, 257, EncoderChoiceItems(), "Vorbis OGG Decoder");
    AddLabel(OggDec, Label4, 8, 69, "Input file:");
    Label4.OnClick = [this] { Label4Click(); };
    FileEdit3 = AddEdit(OggDec, kIdFileEdit3, 80, 64, 177, "");
    AddButton(OggDec, SpeedButton5, 258, 64, 23, 21, nullptr, [this] { SpeedButton5Click(); });
    AddButton(OggDec, SpeedButton6, 8, 96, 273, 97, "Decode OGG to WAV !", [this] { SpeedButton6Click(); });
    SetWindowPos(g8, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TEncodeForm::SetPanelVisible(FacePanel& panel, bool visible) {
    panel.visible = visible;
    UpdateFaces();
}

// The panels lie above the Lame face and the decoder panel above the encoder
// panel: only the topmost visible face has its controls shown.
void TEncodeForm::UpdateFaces() {
    Lame.visible = !OggEnc.visible && !OggDec.visible;
    const FacePanel* shown = OggDec.visible ? &OggDec : OggEnc.visible ? &OggEnc : &Lame;
    for (FacePanel* face : {&Lame, &OggEnc, &OggDec}) {
        const bool on = face == shown;
        for (HWND w : face->windows) ShowWindow(w, on ? SW_SHOWNA : SW_HIDE);
        for (GraphicControl* g : face->graphics) g->SetVisible(on);
    }
    // Keyboard focus follows the face: a hidden control cannot keep it.
    HWND focus = GetFocus();
    if (hwnd_ && (focus == hwnd_ || (focus && IsChild(hwnd_, focus) && !IsWindowVisible(focus)))) {
        HWND chooser = shown == &OggDec ? ComboBox3 : shown == &OggEnc ? ComboBox2 : ComboBox1;
        SetFocus(chooser);
    }
}

void TEncodeForm::RunChooser(int index) {
    for (const ChooserStep& step : EncodeFormChooserSteps(index)) {
        FacePanel& panel = step.face == EncodeFace::OggEnc ? OggEnc : OggDec;
        switch (step.kind) {
        case ChooserStep::ShowPanel:
            SetPanelVisible(panel, true);
            break;
        case ChooserStep::HidePanel:
            SetPanelVisible(panel, false);
            break;
        case ChooserStep::SetChooserText: {
            HWND combo = step.face == EncodeFace::Lame ? ComboBox1 : step.face == EncodeFace::OggEnc ? ComboBox2
                                                                                                     : ComboBox3;
            // Selecting the matching entry shows its text and raises no
            // selection event, so no further switch follows.
            const LRESULT found =
                SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(step.text.c_str()));
            if (found != CB_ERR)
                SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
            else
                SetWindowTextA(combo, step.text.c_str());
            ShowFromStart(combo);
            break;
        }
        }
    }
}

void TEncodeForm::ComboBox1Click() { RunChooser(static_cast<int>(SendMessageA(ComboBox1, CB_GETCURSEL, 0, 0))); }
void TEncodeForm::ComboBox2Click() { RunChooser(static_cast<int>(SendMessageA(ComboBox2, CB_GETCURSEL, 0, 0))); }
void TEncodeForm::ComboBox3Click() { RunChooser(static_cast<int>(SendMessageA(ComboBox3, CB_GETCURSEL, 0, 0))); }

void TEncodeForm::ComboBox1KeyPress(char& key) {
    if (!ChooserKeyAccepted(key)) key = 0;
}

void TEncodeForm::Browse(HWND edit, const char* filter) {
    OpenDialogOptions options;
    options.filter = filter;
    std::string path;
    if (!RunOpenDialog(hwnd_, options, path)) return;
    SetWindowTextA(edit, "");
    SetWindowTextA(edit, path.c_str());
}

void TEncodeForm::SpeedButton2Click() { Browse(FileEdit1, kLameFilter); }
void TEncodeForm::SpeedButton3Click() { Browse(FileEdit2, kOggEncFilter); }
void TEncodeForm::SpeedButton5Click() { Browse(FileEdit3, kOggDecFilter); }

void TEncodeForm::SpeedButton1Click() {
    const std::string input = TextOf(FileEdit1);
    if (input.empty()) {
        MessageBeep(0);
        return;
    }
    LaunchEncoderTool(kLameTool, LameOptionText(RxSwitch1.StateOn(), RxSwitch2.StateOn(), TextOf(Edit1), input,
                                                TextOf(Edit2)));
}

void TEncodeForm::SpeedButton4Click() {
    const std::string input = TextOf(FileEdit2);
    if (input.empty()) {
        MessageBeep(0);
        return;
    }
    LaunchEncoderTool(kOggEncTool, OggEncOptionText(input, RxSwitch3.StateOn(), TextOf(BitBox), TextOf(LevelBox)));
}

void TEncodeForm::SpeedButton6Click() {
    const std::string input = TextOf(FileEdit3);
    if (input.empty()) {
        MessageBeep(0);
        return;
    }
    LaunchEncoderTool(kOggDecTool, OggDecOptionText(input));
}

void TEncodeForm::Label4Click() { Application::Instance().ShowModal(*EncodeForm4); }

bool TEncodeForm::PreTranslateMessage(MSG& msg) {
    // Tab and Shift+Tab move between the dialog's controls.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) return IsDialogMessageA(hwnd_, &msg) != FALSE;
    return false;
}

LRESULT TEncodeForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_GRADIENTINACTIVECAPTION));
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(fieldBrush_.Get());
    case WM_COMMAND:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            PostMessageA(hwnd_, kChooserPicked, LOWORD(wParam), 0);
            return 0;
        }
        if (HIWORD(wParam) == CBN_KILLFOCUS) {
            ShowFromStart(reinterpret_cast<HWND>(lParam));
            return 0;
        }
        break;
    case kChooserPicked:
        switch (wParam) {
        case kIdComboBox1: ComboBox1Click(); break;
        case kIdComboBox2: ComboBox2Click(); break;
        case kIdComboBox3: ComboBox3Click(); break;
        default: break;
        }
        return 0;
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
