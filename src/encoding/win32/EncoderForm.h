// What the encoder dialogs share: the controls made the same way in every
// dialog (a field combo box, reading a field, the browse step, the input
// check), the dialogs' focus and Tab handling, and the base of the dialogs,
// which builds each face's controls from a table.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
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
};

// ---- A dialog built from tables -------------------------------------------

enum class ControlKind {
    GroupBox,      // caption
    Chooser,       // the face's encoder chooser: its list and own entry
    ComboBox,      // editable drop-down: items, start text
    Edit,          // one-line field: start text
    Label,         // windowless label, bold: caption; `action` on a click, if any
    Static,        // a label that the dialog changes, as a child window
    Switch,        // caption on the right; `on` at start
    SpinEdit,      // integer spin edit: range and start value
    BrowseButton,  // flat button with the open-folder glyph: `action`
    ActionButton,  // flat button with a bold caption: `action`
};

// One control of a face's table; the makers below fill in what each kind
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
ControlRow Label(const IntRect& place, const char* caption, std::function<void()> action = nullptr);
ControlRow Static(int id, const IntRect& place, const char* text);
ControlRow Toggle(int id, const IntRect& place, const char* caption, bool on);
ControlRow Spin(int id, const IntRect& place, int minValue, int maxValue, int value);
ControlRow Browse(const IntRect& place, std::function<void()> action);
ControlRow Action(const IntRect& place, const char* caption, std::function<void()> action);

// The rows every face has: its encoder chooser in the "Select Encoder" group
// box at the top left, the group `groupWidth` wide; its input file's label
// (which may do something on a click), field and browse button, the field's
// top at `top`.
std::vector<ControlRow> ChooserGroup(int id, int groupWidth);
std::vector<ControlRow> InputFile(int id, int top, std::function<void()> browse,
                                  std::function<void()> labelAction = nullptr);
}  // namespace row

// A table made of parts, in order.
std::vector<ControlRow> Rows(std::initializer_list<std::vector<ControlRow>> parts);

// The table of a face with a bit rate: its encoder chooser and its bit rate,
// each in its group box; the face's own rows; its input file's rows, at the
// same place in every such face; and the rows that follow.
struct FaceIds {
    int chooser, bitRate, input;
};
constexpr int kChooserGroupWidth = 145;
std::vector<ControlRow> FaceRows(FaceIds ids, std::function<void()> browse, std::vector<ControlRow> own,
                                 std::vector<ControlRow> last, int chooserGroupWidth = kChooserGroupWidth);

// The window of an encoder dialog: on top, centred on the screen, clMedGray;
// the size is the client's, or the window's own with outerSize.
FormSpec EncoderDialogSpec(const char* className, const char* caption, FormBorder border, int width, int height,
                           bool outerSize);
// The window of a dialog with one face: its outer size, sizeable.
inline FormSpec OneFaceDialogSpec(const char* className, const char* caption, int outerWidth, int outerHeight) {
    return EncoderDialogSpec(className, caption, FormBorder::Sizeable, outerWidth, outerHeight, true);
}

// An encoder dialog of one face or more, each face built from its table. The
// first face is the dialog's own; a later face is a panel that covers the
// faces before it while the switcher shows it. Only the topmost face shown
// has its controls shown, and its action button is the one Enter presses.
class EncoderForm : public DialogForm {
public:
    // Registers the dialog's faces and their choosers with the switcher.
    void Connect(FaceSwitcher& switcher);

    // A control of the dialog; asking makes the controls if need be.
    HWND Control(int id) {
        EnsureBuilt();
        return GetDlgItem(hwnd_, id);
    }

protected:
    explicit EncoderForm(const FormSpec& spec) { CreateDialogForm(spec); }
    ~EncoderForm() override;

    // A face and its table, whose controls EnsureBuilt makes in table order
    // (the faces in the order they are added).
    void AddFace(EncodeFace face, std::vector<ControlRow> rows);
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
    GraphicControl* DefaultButton() override { return Shown().actionButton; }
    // A Static row's caption; the label takes the width of its text.
    void SetStaticText(int id, const char* text);

private:
    struct Face {
        EncodeFace encodeFace;
        std::vector<ControlRow> rows;
        ComboBox chooser;
        std::string pendingChooserText;  // set by the switcher before the controls were made
        bool panelShown = false;         // a later face: shown by the switcher
        std::vector<HWND> windows;       // its controls, shown and hidden with it
        std::vector<GraphicControl*> graphics;
        GraphicControl* actionButton = nullptr;
    };

    void BuildControls() override;
    void Add(Face& face, const ControlRow& row);
    void ShowChooserText(Face& face, const std::string& text);
    void ShowPanel(Face& panel, bool shown);
    Face& Shown();
    void UpdateFaces();
    void NameFields(const Face& face);

    std::vector<std::unique_ptr<Face>> faces_;
    std::vector<std::unique_ptr<GroupBox>> groupBoxes_;
    std::map<int, std::unique_ptr<ComboBox>> combos_;
    std::map<int, std::unique_ptr<Switch>> switches_;
    std::map<int, std::unique_ptr<SpinEdit>> spins_;
    std::vector<std::unique_ptr<GraphicControl>> graphics_;
};

}  // namespace orvik
