// What the encoder dialogs share: the controls made the same way in every
// dialog (a field combo box, reading a field, the browse step, the input
// check), the dialogs' focus and Tab handling, and a base for the dialogs
// with one face that builds all their controls from a table.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Geometry.h"
#include "app/win32/Form.h"
#include "app/win32/KeyboardFocus.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/GroupBox.h"
#include "controls/win32/SpeedButton.h"
#include "controls/win32/SpinEdit.h"
#include "controls/win32/Switch.h"
#include "controls/win32/TextLabel.h"
#include "encoding/EncoderChooser.h"
#include "encoding/win32/FaceSwitcher.h"

namespace orvik {

// ---- Shared by all encoder dialogs -----------------------------------------

// The input check of an encode button: an empty input beeps and gives false.
bool TakeInput(HWND inputEdit, std::string& input);
// The browse step: a confirmed file replaces the field's text; a cancelled
// dialog leaves it. No filter lists all files.
void BrowseInto(HWND owner, HWND edit, const char* filter = nullptr);
// An editable drop-down combo box of the dialogs, 21 high when closed, with
// its items and start text.
HWND CreateFieldCombo(Form& form, const ChildPlace& place, const std::vector<std::string>& items, const char* text,
                      ComboBox& combo);
// The dialogs' fields and combo boxes: clGradientInactiveCaption.
COLORREF FieldColor();
// The dialogs' switch glyphs: a 14 x 14 sunken square, dark off, light on.
void SetDialogSwitchGlyphs(Switch& sw);
// What screen readers call the browse buttons, which show only a glyph.
constexpr const char* kBrowseButtonName = "Browse for input file";
// Names a combo box (and the field inside it) for screen readers.
void NameCombo(HWND combo, const char* name);

// The window of an encoder dialog: made at once, its controls when it is
// first shown (before it appears) or first needs them. It paints its fields
// in the field colour, gives the focus back on activation to the control
// that had it (or the first tab stop), lets Tab move between its controls
// (its flat buttons among them), and Enter press its encode button.
class DialogForm : public Form {
public:
    // Makes the dialog's controls, once.
    void EnsureBuilt();
    bool Built() const { return built_; }

protected:
    DialogForm() = default;
    // The window and the brushes and bold font its controls use.
    void CreateDialogForm(const FormSpec& spec);
    virtual void BuildControls() = 0;
    HBRUSH BackgroundBrush() const { return background_.Get(); }
    HFONT BoldFont() const { return boldFont_.Get(); }
    // The button Enter presses: the encode button of the face shown.
    virtual GraphicControl* DefaultButton() { return nullptr; }

    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    bool built_ = false;
    Brush background_;
    Brush fieldBrush_;
    Font boldFont_;
    FocusStop lastFocus_;
};

// ---- A dialog built from a table -------------------------------------------

enum class ControlKind {
    GroupBox,      // caption
    Chooser,       // the dialog's encoder chooser: its list and own entry
    ComboBox,      // editable drop-down: items, start text
    Edit,          // one-line field: start text
    Label,         // windowless label, bold: caption
    Static,        // a label that the dialog changes, as a child window
    Switch,        // caption on the right; `on` at start
    SpinEdit,      // integer spin edit: range and start value
    BrowseButton,  // flat button with the open-folder glyph: `action`
    ActionButton,  // flat button with a bold caption: `action`
};

// One control of a dialog's table; the makers below fill in what each kind
// uses.
struct ControlRow {
    ControlKind kind;
    IntRect place;  // in the dialog's client area (labels: the top-left; the size from the caption)
    int id = 0;     // child windows; 0 for group boxes, labels and buttons
    const char* text = "";
    const std::vector<std::string>* items = nullptr;
    bool on = false;
    int minValue = 0, maxValue = 0, value = 0;
    std::function<void()> action{};
};

// The rows of a table, each naming only what its kind uses. A place inside
// a group box is At(group's top-left, left, top, width, height).
namespace row {
ControlRow Group(const IntRect& place, const char* caption);
ControlRow Chooser(int id, const IntRect& place);
ControlRow Combo(int id, const IntRect& place, const char* text, const std::vector<std::string>& items);
ControlRow Edit(int id, const IntRect& place, const char* text = "");
ControlRow Label(const IntRect& place, const char* caption);
ControlRow Static(int id, const IntRect& place, const char* text);
ControlRow Toggle(int id, const IntRect& place, const char* caption, bool on);
ControlRow Spin(int id, const IntRect& place, int minValue, int maxValue, int value);
ControlRow Browse(const IntRect& place, std::function<void()> action);
ControlRow Action(const IntRect& place, const char* caption, std::function<void()> action);
}  // namespace row

// The table of a dialog with one face: its encoder chooser and its bit rate,
// each in its group box; the dialog's own rows; its input file's label,
// field and browse button, at the same place in every such dialog; and the
// rows that follow.
struct OneFaceIds {
    int chooser, bitRate, input;
};
std::vector<ControlRow> OneFaceRows(OneFaceIds ids, std::function<void()> browse, std::vector<ControlRow> own,
                                    std::vector<ControlRow> last);


// The dialog's window is made at once; its controls when it is first shown
// (before it appears) or first asked for a control.
// The window of an encoder dialog: on top, centred on the screen, clMedGray;
// the size is the client's, or the window's own with outerSize.
FormSpec EncoderDialogSpec(const char* className, const char* caption, FormBorder border, int width, int height,
                           bool outerSize);
// The window of a dialog with one face: its outer size, sizeable.
inline FormSpec OneFaceDialogSpec(const char* className, const char* caption, int outerWidth, int outerHeight) {
    return EncoderDialogSpec(className, caption, FormBorder::Sizeable, outerWidth, outerHeight, true);
}

class EncoderForm : public DialogForm {
public:
    // Registers the dialog's face and chooser with the switcher.
    void Connect(FaceSwitcher& switcher);

    EncodeFace Face() const { return face_; }
    // A control of the dialog; asking makes the controls if need be.
    HWND Control(int id) {
        EnsureBuilt();
        return GetDlgItem(hwnd_, id);
    }

protected:
    EncoderForm(EncodeFace face, const FormSpec& spec) : face_(face) { CreateDialogForm(spec); }
    ~EncoderForm() override;

    // The dialog's controls, made by EnsureBuilt, in table order.
    void SetLayout(std::vector<ControlRow> rows) { layout_ = std::move(rows); }
    // Runs once the controls exist.
    virtual void ControlsBuilt() {}

    ComboBox& Combo(int id) {
        EnsureBuilt();
        return *combos_.at(id);
    }
    Switch& SwitchOf(int id) {
        EnsureBuilt();
        return *switches_.at(id);
    }
    SpinEdit& Spin(int id) {
        EnsureBuilt();
        return *spins_.at(id);
    }
    std::string TextOf(int id) { return WindowText(Control(id)); }
    GraphicControl* DefaultButton() override { return actionButton_; }
    // A Static row's caption; the label takes the width of its text.
    void SetStaticText(int id, const char* text);

private:
    void BuildControls() override;
    void ShowChooserText(const std::string& text);
    void Add(const ControlRow& row);
    void NameFields();

    EncodeFace face_;
    std::vector<ControlRow> layout_;
    ComboBox chooser_;
    std::string pendingChooserText_;  // set by the switcher before the controls were made
    std::vector<std::unique_ptr<GroupBox>> groupBoxes_;
    std::map<int, std::unique_ptr<ComboBox>> combos_;
    std::map<int, std::unique_ptr<Switch>> switches_;
    std::map<int, std::unique_ptr<SpinEdit>> spins_;
    std::vector<std::unique_ptr<GraphicControl>> graphics_;
    GraphicControl* actionButton_ = nullptr;
};

}  // namespace orvik
