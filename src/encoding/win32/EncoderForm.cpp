#include "encoding/win32/EncoderForm.h"

#include <oleacc.h>

#include "app/Exception.h"
#include "app/win32/Accessible.h"
#include "controls/win32/OpenDialog.h"
#include "encoding/EncoderOptions.h"
#include "encoding/win32/ToolLaunch.h"

namespace orvik {

namespace {
constexpr int kComboHeight = 21;
constexpr int kDropDownHeight = 200;

// The closed box is its selection field and a frame around it, so its height
// is set through the field's (CB_SETITEMHEIGHT with -1). What the box answers
// for the field (CB_GETITEMHEIGHT with -1) is not in the measure that setting
// takes everywhere: Wine answers two pixels more, the edit's padding it adds
// on setting. So the frame is measured once the field is set, and the field
// set again from it when the height is not yet right.
void SetClosedHeight(HWND box, int height) {
    auto closed = [box] {
        RECT r;
        GetWindowRect(box, &r);
        return static_cast<int>(r.bottom - r.top);
    };
    if (closed() == height) return;
    const auto field = static_cast<int>(SendMessageA(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    if (field <= 0) return;
    SendMessageA(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    const int frame = closed() - field;
    if (closed() != height && height > frame)
        SendMessageA(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - frame);
}

SIZE TextSize(HFONT font, const char* text) {
    ScreenDC screen;
    SelectGuard sel(screen, font);
    SIZE s{};
    GetTextExtentPoint32A(screen, text, static_cast<int>(lstrlenA(text)), &s);
    return s;
}
}  // namespace

// ---- Shared by all encoder dialogs -----------------------------------------

bool TakeInput(HWND inputEdit, std::string& input) { return TakeInputPath(inputEdit, input); }

void BrowseInto(HWND owner, HWND edit, const char* filter) {
    OpenDialogOptions options;
    if (filter) options.filter = filter;
    std::string path;
    if (!RunOpenDialog(owner, options, path)) return;
    SetWindowTextA(edit, "");
    SetWindowTextA(edit, path.c_str());
}

namespace {

// An editable drop-down combo box of the dialogs, 21 high when closed, with
// its items and start text.
HWND CreateFieldCombo(Form& form, const ChildPlace& place, const std::vector<std::string>& items, const char* text,
                      ComboBox& combo) {
    // The drop-down list's height comes with the window's.
    const IntRect& r = place.bounds;
    const ChildPlace withList{place.parent, At(r.left, r.top, r.Width(), kComboHeight + kDropDownHeight), place.id};
    HWND box = form.AddChild(ChildSpec{"COMBOBOX", "",
                                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL |
                                           CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                       0, withList});
    for (const std::string& item : items) SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetClosedHeight(box, kComboHeight);
    combo.Attach(box);
    // The entry of that text is the selection, so the arrow keys go on
    // from it (with none, the first Down key gives the first entry).
    combo.ShowText(text);
    return box;
}

// The dialogs' fields and combo boxes: clGradientInactiveCaption.
COLORREF FieldColor() { return GetSysColor(COLOR_GRADIENTINACTIVECAPTION); }

// What screen readers call the browse buttons, which show only a glyph.
constexpr const char* kBrowseButtonName = "Browse for input file";

// Names a combo box (and the field inside it) for screen readers.
void NameCombo(HWND combo, const char* name) {
    SetAccessibleName(combo, name);
    SetAccessibleName(GetWindow(combo, GW_CHILD), name);  // the field where typing happens
}

// The dialogs' switch glyphs: a 14 x 14 sunken square, dark off, light on.
void SetDialogSwitchGlyphs(Switch& sw) {
    Bitmap off = LoadBitmapResource("ENC_SWITCH_OFF"), lit = LoadBitmapResource("ENC_SWITCH_ON");
    sw.SetGlyphOff(off.Get());
    sw.SetGlyphOn(lit.Get());
}

}  // namespace

// ---- A dialog built from tables -------------------------------------------

EncoderForm::~EncoderForm() {
    // The window goes first, while the controls it holds still exist.
    Destroy();
}

FormSpec EncoderDialogSpec(const char* className, const char* caption, FormBorder border, int width, int height,
                           bool outerSize) {
    FormSpec spec;
    spec.className = className;
    spec.caption = caption;
    spec.clientWidth = width;
    spec.clientHeight = height;
    spec.outerSize = outerSize;
    spec.border = border;
    spec.stayOnTop = true;
    spec.screenCenter = true;
    spec.color = kMedGray;
    return spec;
}

void DialogForm::CreateDialogForm(const FormSpec& spec) {
    CreateForm(spec);
    background_.Reset(CreateSolidBrush(spec.color));
    fieldBrush_.Reset(CreateSolidBrush(FieldColor()));
    boldFont_ = CreateUiFont(spec.fontFace, spec.fontHeight, /*bold=*/true);
}

namespace {
// The chooser lets only a carriage return through.
void FilterChooserKey(char& key) {
    if (!ChooserKeyAccepted(key)) key = 0;
}
}  // namespace

void EncoderForm::AddFace(EncodeFace face, std::vector<ControlRow> rows) {
    faces_.push_back(std::make_unique<Face>());
    Face& f = *faces_.back();
    f.encodeFace = face;
    f.rows = std::move(rows);
    if (ChooserHasKeyFilter(face)) f.chooser.onKeyPress = FilterChooserKey;
}

void EncoderForm::Connect(FaceSwitcher& switcher) {
    for (const std::unique_ptr<Face>& f : faces_) {
        Face& face = *f;
        std::function<void(bool)> showPanel;
        if (&face != faces_.front().get()) showPanel = [this, &face](bool shown) { ShowPanel(face, shown); };
        switcher.Register(
            face.encodeFace, *this, [this, &face](const std::string& text) { ShowChooserText(face, text); }, showPanel);
        face.chooser.onPick = [&switcher, which = face.encodeFace](int index) { switcher.Pick(which, index); };
        face.chooser.keysBrowse = true;
    }
}

void EncoderForm::ShowChooserText(Face& face, const std::string& text) {
    if (Built())
        face.chooser.ShowText(text.c_str());
    else
        face.pendingChooserText = text;
}

void EncoderForm::ShowPanel(Face& panel, bool shown) {
    panel.panelShown = shown;
    UpdateFaces();
}

EncoderForm::Face& EncoderForm::Shown() {
    for (auto f = faces_.rbegin(); f != faces_.rend(); ++f)
        if ((*f)->panelShown) return **f;
    return *faces_.front();
}

// Only the topmost face shown has its controls shown.
void EncoderForm::UpdateFaces() {
    if (!Built()) return;  // the controls take the faces' states when they are made
    Face& shown = Shown();
    for (const std::unique_ptr<Face>& face : faces_) {
        const bool on = face.get() == &shown;
        for (HWND w : face->windows) ShowWindow(w, on ? SW_SHOWNA : SW_HIDE);
        for (GraphicControl* g : face->graphics) g->SetVisible(on);
    }
    // Keyboard focus follows the face: a hidden control cannot keep it.
    HWND focus = GetFocus();
    if (hwnd_ && ((focus == hwnd_ && !GraphicHost::Of(hwnd_)->Focused()) ||
                  (focus && IsChild(hwnd_, focus) && !IsWindowVisible(focus))))
        SetFocus(shown.chooser.Handle());
}

namespace row {
ControlRow Group(const IntRect& place, const char* caption) { return {ControlKind::GroupBox, place, 0, caption}; }
ControlRow Chooser(int id, const IntRect& place) { return {ControlKind::Chooser, place, id}; }
ControlRow Combo(int id, const IntRect& place, const char* text, const std::vector<std::string>& items) {
    return {ControlKind::ComboBox, place, id, text, &items};
}
ControlRow Edit(int id, const IntRect& place, const char* text) { return {ControlKind::Edit, place, id, text}; }
ControlRow Label(const IntRect& place, const char* caption, std::function<void()> action) {
    ControlRow r{ControlKind::Label, place, 0, caption};
    r.action = std::move(action);
    return r;
}
ControlRow Static(int id, const IntRect& place, const char* text) { return {ControlKind::Static, place, id, text}; }
ControlRow Toggle(int id, const IntRect& place, const char* caption, bool on) {
    ControlRow r{ControlKind::Switch, place, id, caption};
    r.on = on;
    return r;
}
ControlRow Spin(int id, const IntRect& place, int minValue, int maxValue, int value) {
    ControlRow r{ControlKind::SpinEdit, place, id};
    r.minValue = minValue;
    r.maxValue = maxValue;
    r.value = value;
    return r;
}
ControlRow Browse(const IntRect& place, std::function<void()> action) {
    ControlRow r{ControlKind::BrowseButton, place};
    r.action = std::move(action);
    return r;
}
ControlRow Action(const IntRect& place, const char* caption, std::function<void()> action) {
    ControlRow r{ControlKind::ActionButton, place, 0, caption};
    r.action = std::move(action);
    return r;
}

std::vector<ControlRow> ChooserGroup(int id, int groupWidth) {
    constexpr IntPoint group{8, 8};
    return {Group(At(group.x, group.y, groupWidth, 41), "Select Encoder"),
            Chooser(id, At(group, 8, 15, groupWidth - 16, 21))};
}

std::vector<ControlRow> InputFile(int id, int top, std::function<void()> browse, std::function<void()> labelAction) {
    return {Label(At(8, top + 5), "Input file:", std::move(labelAction)), Edit(id, At(80, top, 177, 21)),
            Browse(At(258, top, 23, 21), std::move(browse))};
}
}  // namespace row

std::vector<ControlRow> Rows(std::initializer_list<std::vector<ControlRow>> parts) {
    std::vector<ControlRow> rows;
    for (const std::vector<ControlRow>& part : parts) rows.insert(rows.end(), part.begin(), part.end());
    return rows;
}

std::vector<ControlRow> FaceRows(FaceIds ids, std::function<void()> browse, std::vector<ControlRow> own,
                                 std::vector<ControlRow> last, int chooserGroupWidth) {
    constexpr IntPoint bitRateGroup{160, 8};
    return Rows({row::ChooserGroup(ids.chooser, chooserGroupWidth),
                 {row::Group(At(160, 8, 121, 41), "Select encode bit rate"),
                  row::Combo(ids.bitRate, At(bitRateGroup, 8, 15, 105, 21), "128", BitRateItems())},
                 own, row::InputFile(ids.input, 104, std::move(browse)), last});
}

void DialogForm::EnsureBuilt() {
    if (built_ || !hwnd_) return;
    built_ = true;
    BuildControls();
}

void EncoderForm::BuildControls() {
    // A new child window goes below its siblings: a face's group boxes, made
    // after its other controls, lie behind the controls they frame, and the
    // controls keep the table's order for Tab.
    for (const std::unique_ptr<Face>& face : faces_) {
        for (const ControlRow& row : face->rows)
            if (row.kind != ControlKind::GroupBox) Add(*face, row);
        for (const ControlRow& row : face->rows)
            if (row.kind == ControlKind::GroupBox) Add(*face, row);
        if (!face->pendingChooserText.empty()) face->chooser.ShowText(face->pendingChooserText.c_str());
        face->pendingChooserText.clear();
        NameFields(*face);
    }
    UpdateFaces();
    ControlsBuilt();
}

void EncoderForm::Add(Face& face, const ControlRow& row) {
    const IntRect& r = row.place;
    const char* text = row.text ? row.text : "";
    const ChildPlace place{hwnd_, r, static_cast<UINT_PTR>(row.id)};
    HWND window = nullptr;
    std::unique_ptr<GraphicControl> graphic;
    switch (row.kind) {
    case ControlKind::GroupBox:
        window = AddChild(ChildSpec{"BUTTON", text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, 0, place});
        groupBoxes_.push_back(std::make_unique<GroupBox>(BackgroundBrush()));
        groupBoxes_.back()->Attach(window);
        break;
    case ControlKind::Chooser:
        window = CreateFieldCombo(*this, place, ChooserItems(face.encodeFace), ChooserOwnEntry(face.encodeFace).c_str(),
                                  face.chooser);
        break;
    case ControlKind::ComboBox: {
        auto combo = std::make_unique<ComboBox>();
        window = CreateFieldCombo(*this, place, *row.items, text, *combo);
        combos_[row.id] = std::move(combo);
        break;
    }
    case ControlKind::Edit:
        window = AddChild(ChildSpec{"EDIT", text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL,
                                    WS_EX_CLIENTEDGE, place});
        break;
    case ControlKind::Label: {
        auto label = std::make_unique<TextLabel>();
        label->Place(r.left, r.top, text, BoldFont());
        label->onClick = row.action;
        graphic = std::move(label);
        break;
    }
    case ControlKind::Static: {
        const SIZE s = TextSize(FontHandle(), text);
        window = AddChild(ChildSpec{"STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0,
                                    ChildPlace{hwnd_, At(r.left, r.top, s.cx, s.cy), place.id}});
        break;
    }
    case ControlKind::Switch: {
        auto sw = std::make_unique<Switch>();
        SwitchSpec s;
        s.place = place;
        s.caption = text;
        s.textPosition = CaptionPlace::Right;
        s.stateOn = row.on;
        s.color = Color();
        s.font = FontHandle();
        sw->CreateControl(s);
        SetDialogSwitchGlyphs(*sw);
        window = sw->Handle();
        switches_[row.id] = std::move(sw);
        break;
    }
    case ControlKind::SpinEdit: {
        auto spin = std::make_unique<SpinEdit>();
        SpinEditSpec s;
        s.place = place;
        s.minValue = row.minValue;
        s.maxValue = row.maxValue;
        s.value = row.value;
        s.color = FieldColor();
        s.font = FontHandle();
        spin->CreateControl(s);
        window = spin->Handle();
        spins_[row.id] = std::move(spin);
        break;
    }
    case ControlKind::BrowseButton:
    case ControlKind::ActionButton: {
        auto button = std::make_unique<SpeedButton>();
        button->SetBounds(r);
        if (row.kind == ControlKind::BrowseButton) {
            button->SetGlyph(LoadBitmapResource("ENC_OPEN_FOLDER"));
            button->SetAccessibleName(kBrowseButtonName);
        } else {
            button->SetCaption(text);
            button->SetFont(BoldFont());
            face.actionButton = button.get();
        }
        button->onClick = row.action;
        button->SetTabStop(true);
        graphic = std::move(button);
        break;
    }
    }
    if (window) face.windows.push_back(window);
    if (graphic) {
        AddGraphic(graphic.get());
        face.graphics.push_back(graphic.get());
        graphics_.push_back(std::move(graphic));
    }
}

// Each field is named for screen readers as the user sees it: an edit by the
// label before it in the table, a combo box or the spin edit by the group
// box it sits in.
void EncoderForm::NameFields(const Face& face) {
    const char* label = nullptr;
    for (const ControlRow& row : face.rows) {
        if (row.kind == ControlKind::Label) label = row.text;
        if (row.kind == ControlKind::Edit && label) SetAccessibleName(GetDlgItem(hwnd_, row.id), label);
        if (row.kind != ControlKind::Chooser && row.kind != ControlKind::ComboBox && row.kind != ControlKind::SpinEdit)
            continue;
        for (const ControlRow& group : face.rows) {
            RECT inside;
            const RECT g = ToRect(group.place), r = ToRect(row.place);
            if (group.kind != ControlKind::GroupBox || !IntersectRect(&inside, &g, &r) || !EqualRect(&inside, &r))
                continue;
            if (row.kind == ControlKind::SpinEdit)
                SetAccessibleName(GetDlgItem(hwnd_, row.id), group.text, ROLE_SYSTEM_TEXT);
            else
                NameCombo(GetDlgItem(hwnd_, row.id), group.text);
        }
    }
}

void EncoderForm::SetStaticText(int id, const char* text) {
    HWND label = Control(id);
    if (!label) return;
    const SIZE s = TextSize(FontHandle(), text);
    SetWindowTextA(label, text);
    SetWindowPos(label, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool DialogForm::PreTranslateMessage(MSG& msg) { return HandleFocusKey(hwnd_, msg, DefaultButton()); }

LRESULT DialogForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
        LRESULT result = 0;
        if (ReflectNotification(msg, wParam, lParam, result)) return result;  // a control with its own colour
        SetBkColor(reinterpret_cast<HDC>(wParam), FieldColor());
        SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<LRESULT>(fieldBrush_.Get());
    }
    case WM_SHOWWINDOW:
        if (wParam) EnsureBuilt();  // before the dialog appears
        break;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvik
