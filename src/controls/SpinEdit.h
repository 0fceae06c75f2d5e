// The spin edit's model: a one-line numeric edit whose text is the number,
// stepped by a spin button, the Up and Down keys and typing, and kept within
// MinValue..MaxValue whenever the control writes it. Next to it the
// diagonal spin button's model: which half of the square is pressed, and
// its auto-repeat. Each model owns its state and talks to a small host
// interface that its window implements; the pure functions give the
// window its geometry.
#pragma once
#include <optional>
#include <string>

#include "app/Geometry.h"
#include "app/Input.h"

namespace orvik {

enum class SpinValueKind { Integer, Float, Hex };
enum class SpinButtonKind { Standard, Diagonal };

// ---- Value model -----------------------------------------------------------

// The number a text stands for, or nothing when it is not one: Integer a
// decimal 32-bit integer with an optional sign; Hex up to 32 bits of
// hexadecimal digits, no sign or prefix ("FFFFFFFF" is -1); Float a decimal
// number with `separator` and an optional exponent. Blanks around the number
// are allowed; overflow is not a number.
std::optional<long double> ParseSpinText(const std::string& text, SpinValueKind type, char separator = '.');

// x within min..max; min == max means no bound.
long double ClampSpinValue(long double x, long double min, long double max);

// The text for x: Integer the nearest integer (halves to the even
// neighbour), Hex the same in upper-case hexadecimal (32-bit two's
// complement for negatives), both held to the 32-bit range so that the text
// reads back; Float fixed-point with 15 significant digits and `decimals`
// decimals (scientific from 1E15 on).
std::string FormatSpinValue(long double x, SpinValueKind type, int decimals, char separator = '.');

// ---- Spin edit -------------------------------------------------------------

// The edit window's side. SetText replaces the edit's text; the window then
// reports the edit's change notification through SpinEditModel::TextChanged.
class SpinEditHost {
public:
    virtual ~SpinEditHost() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    virtual void SelectAll() = 0;
    virtual void SetModified() = 0;        // the edit's modified flag
    virtual void Beep() = 0;               // MessageBeep(0)
    virtual void DialogKey(char key) = 0;  // carriage return or escape, to the parent form
    // Focus the edit if it can take the focus, has a tab stop and has not
    // got the focus yet.
    virtual void FocusEdit() = 0;
    virtual void Changed() = 0;      // the text changed
    virtual void TopClick() = 0;     // after a step up
    virtual void BottomClick() = 0;  // after a step down
};

class SpinEditModel {
public:
    static constexpr const char* kStartText = "0";  // the edit's text at creation

    explicit SpinEditModel(SpinEditHost& host) : host_(host) {}
    SpinEditModel(const SpinEditModel&) = delete;
    SpinEditModel& operator=(const SpinEditModel&) = delete;

    // The number in the text; a text that is not one reads as MinValue
    // (truncated towards zero for Integer and Hex).
    long double Value() const;
    // Clamps, sets the text and so tells Changed (except within a step).
    void SetValue(long double value);

    // Stored only: the text is looked at again on the next write or exit.
    long double MinValue() const { return min_; }
    void SetMinValue(long double value) { min_ = value; }
    long double MaxValue() const { return max_; }
    void SetMaxValue(long double value) { max_ = value; }
    long double Increment() const { return increment_; }
    void SetIncrement(long double value) { increment_ = value; }

    SpinValueKind ValueType() const { return type_; }
    // Rewrites the text under the new type; integer types round Increment
    // (0 becomes 1).
    void SetValueType(SpinValueKind type);
    int Decimal() const { return decimal_; }
    void SetDecimal(int decimals);  // 0..255; rewrites the value

    bool arrowKeys = true;
    bool editorEnabled = true;
    bool readOnly = false;
    bool autoSelect = true;
    char decimalSeparator = '.';  // the system's

    // Value +/- Increment; tells Changed once if the text changed (letter
    // case aside), then TopClick / BottomClick. Read-only: a beep.
    void StepUp();
    void StepDown();

    // The typing filter, one character at a time.
    bool AcceptsChar(char c) const;
    // A typed character (WM_CHAR): true when the edit is to get it. A refused
    // character beeps; carriage return and escape go to the dialog too, and a
    // carriage return never reaches the edit.
    bool KeyPress(char key);
    // A key-down (virtual key): true when consumed (Up / Down with ArrowKeys).
    bool KeyDown(unsigned keyCode);
    // Whether cut and paste may run.
    bool EditCommandAllowed() const { return editorEnabled && !readOnly; }

    // The edit's text changed (EN_CHANGE).
    void TextChanged();
    // Focus: select all on entry unless a left press brought it; on exit an
    // out-of-range number is replaced by the nearer bound.
    void Enter(bool byLeftMouse);
    void Exit();
    // The standard up-down button's position notification; the window resets
    // the position to 0 afterwards.
    void UpDownPosition(int position);
    // From now on Changed is not told.
    void BeginDestroy() { changing_ = true; }

private:
    void Step(long double delta, bool up);

    SpinEditHost& host_;
    long double min_ = 0, max_ = 0, increment_ = 1;
    SpinValueKind type_ = SpinValueKind::Integer;
    int decimal_ = 2;
    bool changing_ = false;
};

// ---- Diagonal spin button --------------------------------------------------

enum class SpinHalf { None, Top, Bottom };

// The half of a width x height square that (x, y) lies in: the lower-right
// half below the diagonal from the bottom-left to the top-right corner, the
// upper-left one on and above it.
SpinHalf DiagonalHalf(double x, double y, double width, double height);

class SpinButtonHost {
public:
    virtual ~SpinButtonHost() = default;
    virtual void Repaint() = 0;  // the pressed state changed
    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;
    virtual bool HasCapture() const = 0;
    // Starts the repeat timer, or restarts it with a new interval.
    virtual void StartTimer(unsigned milliseconds) = 0;
    virtual void StopTimer() = 0;
    virtual void FocusControl() = 0;  // the edit it serves, as SpinEditHost::FocusEdit
    virtual void TopClick() = 0;      // step up
    virtual void BottomClick() = 0;   // step down
};

class SpinButtonModel {
public:
    static constexpr unsigned kFirstDelay = 400;
    static constexpr unsigned kRepeatInterval = 100;

    explicit SpinButtonModel(SpinButtonHost& host) : host_(host) {}
    SpinButtonModel(const SpinButtonModel&) = delete;
    SpinButtonModel& operator=(const SpinButtonModel&) = delete;

    void SetSize(int width, int height) { width_ = width; height_ = height; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);  // disabling ends a drag

    SpinHalf Down() const { return down_; }  // the picture to show
    SpinHalf LastPressed() const { return lastPressed_; }
    bool Dragging() const { return dragging_; }

    // Left button events in the button's client pixels.
    void MouseDown(int x, int y);
    void MouseMove(int x, int y);
    void MouseUp(int x, int y);
    void TimerTick();
    // The capture went elsewhere: the press ends.
    void CaptureLost();

private:
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    void RunStep(SpinHalf half);
    void EndDrag();

    SpinButtonHost& host_;
    int width_ = 0, height_ = 0;
    bool enabled_ = true, dragging_ = false;
    SpinHalf down_ = SpinHalf::None, lastPressed_ = SpinHalf::None;
    unsigned interval_ = 0;
};

// ---- Geometry --------------------------------------------------------------

// Top-left corners of the up and down glyphs (glyphW x glyphH) on a
// buttonW x buttonH button showing the given half pressed.
struct SpinGlyphPlaces {
    IntPoint up, down;
};
SpinGlyphPlaces SpinGlyphPositions(int buttonW, int buttonH, int glyphW, int glyphH, SpinHalf down);

// The diagonal button's square within the edit of width x height (outer
// size); `sunkenBorder` for new-style controls with 3-D look and a single
// border.
IntRect DiagonalButtonBounds(int width, int height, bool sunkenBorder, bool rightToLeft);
// The edit's formatting rectangle, keeping the text off the button.
IntRect SpinFormatRect(int clientWidth, int clientHeight, int buttonWidth, bool rightToLeft);
// The least height of the edit for its font's text height and the system
// border height.
int SpinMinHeight(int textHeight, int borderHeight);
// The standard up-down button's width from the system scroll arrow width.
int StandardSpinWidth(int scrollArrowWidth);

}  // namespace orvik
