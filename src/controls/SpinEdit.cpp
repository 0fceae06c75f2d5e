#include "controls/SpinEdit.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace orvik {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<long double> ParseInteger(const std::string& s) {
    std::size_t i = 0;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) ++i;
    if (i == s.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < s.size(); ++i) {
        if (!IsDigit(s[i])) return std::nullopt;
        value = value * 10 + (s[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return std::nullopt;
    return static_cast<long double>(value);
}

std::optional<long double> ParseHex(const std::string& s) {
    if (s.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char c : s) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(digit);
        if (value > UINT32_MAX) return std::nullopt;
    }
    // The 32 bits are a signed integer.
    return static_cast<long double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

// The C runtime's conversions between decimal text and double: on Windows
// the system's own, since the compiler's portable ones would add tens of
// kilobytes of formatting code to the program.
long double DecimalValue(const std::string& plain) {
#ifdef _WIN32
    return std::atof(plain.c_str());
#else
    return std::strtold(plain.c_str(), nullptr);
#endif
}

// The fifteen significant digits of v, correctly rounded, with its sign and
// its decimal exponent (v = d.dddddddddddddd x 10^exponent).
std::string SignificantDigits(double v, bool& negative, int& exponent) {
#ifdef _WIN32
    int point = 0, sign = 0;
    const char* digits = _ecvt(v, 15, &point, &sign);
    negative = sign != 0;
    exponent = v == 0 ? 0 : point - 1;
    return digits;
#else
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);  // [-]d.dddddddddddddde[+-]xx
    negative = buf[0] == '-';
    const char* p = buf + (negative ? 1 : 0);
    std::string digits(1, p[0]);
    digits.append(p + 2, 14);
    exponent = std::atoi(p + 17);
    return digits;
#endif
}

// Checked by hand first so that the conversion sees only plain decimal numbers
// (never "inf", "nan" or hexadecimal floats) with the C locale's point.
std::optional<long double> ParseFloat(const std::string& s, char separator) {
    std::string plain;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) plain += s[i++];
    int digits = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i, ++digits) plain += s[i];
    if (i < s.size() && s[i] == separator) {
        plain += '.';
        for (++i; i < s.size() && IsDigit(s[i]); ++i, ++digits) plain += s[i];
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '-' || s[i] == '+')) plain += s[i++];
        int exponentDigits = 0;
        for (; i < s.size() && IsDigit(s[i]); ++i, ++exponentDigits) plain += s[i];
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    const long double value = DecimalValue(plain);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// Nearest whole number, halves to the even neighbour.
long double RoundEven(long double x) {
    long double whole = std::floor(x);
    const long double fraction = x - whole;
    if (fraction > 0.5L || (fraction == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
    return whole;
}

int32_t RoundToInt32(long double x) {
    if (std::isnan(x)) return 0;
    if (x >= INT32_MAX) return INT32_MAX;
    if (x <= INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(RoundEven(x));
}

// Adds one unit in the last place of a string of decimal digits; true when
// it carries out of the first digit.
bool IncrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

std::string FormatFloat(long double x, int decimals, char separator) {
    // Fifteen significant digits: what a double holds exactly in decimal.
    const double v = std::isnan(x) ? 0.0 : static_cast<double>(std::clamp<long double>(x, -DBL_MAX, DBL_MAX));
    bool negative = false;
    int exponent = 0;
    std::string digits = SignificantDigits(v, negative, exponent);
    const std::string sign = negative && digits.find_first_not_of('0') != std::string::npos ? "-" : "";

    const int wholeDigits = exponent + 1;
    if (wholeDigits > 15) {
        std::string mantissa = digits.substr(1);
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        return sign + digits[0] + (mantissa.empty() ? "" : separator + mantissa) + "E+" + std::to_string(exponent);
    }
    std::string whole = wholeDigits > 0 ? digits.substr(0, wholeDigits) : "0";
    std::string fraction = wholeDigits > 0 ? digits.substr(wholeDigits) : std::string(-wholeDigits, '0') + digits;
    const auto wanted = static_cast<std::size_t>(decimals);
    if (fraction.size() > wanted) {
        const bool up = fraction[wanted] >= '5';
        fraction.resize(wanted);
        if (up && IncrementDigits(fraction) && IncrementDigits(whole)) whole.insert(0, 1, '1');
    } else {
        fraction.append(wanted - fraction.size(), '0');
    }
    const bool zero = whole.find_first_not_of('0') == std::string::npos &&
                      fraction.find_first_not_of('0') == std::string::npos;
    std::string text = zero ? "" : sign;
    text += whole;
    if (decimals > 0) text += separator + fraction;
    return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

}  // namespace

std::optional<long double> ParseSpinText(const std::string& text, SpinValueKind type, char separator) {
    const std::string s = Trimmed(text);
    switch (type) {
    case SpinValueKind::Integer:
        return ParseInteger(s);
    case SpinValueKind::Hex:
        return ParseHex(s);
    case SpinValueKind::Float:
        return ParseFloat(s, separator);
    }
    return std::nullopt;
}

long double ClampSpinValue(long double x, long double min, long double max) {
    if (max == min) return x;
    if (x < min) return min;
    if (x > max) return max;
    return x;
}

std::string FormatSpinValue(long double x, SpinValueKind type, int decimals, char separator) {
    switch (type) {
    case SpinValueKind::Integer:
        return std::to_string(RoundToInt32(x));
    case SpinValueKind::Hex: {
        uint32_t bits = static_cast<uint32_t>(RoundToInt32(x));
        std::string text;
        do {
            text.insert(text.begin(), "0123456789ABCDEF"[bits % 16]);
            bits /= 16;
        } while (bits != 0);
        return text;
    }
    case SpinValueKind::Float:
        return FormatFloat(x, std::clamp(decimals, 0, 255), separator);
    }
    return {};
}

// ---- Spin edit -------------------------------------------------------------

long double SpinEditModel::Value() const {
    if (auto value = ParseSpinText(host_.Text(), type_, decimalSeparator)) return *value;
    return type_ == SpinValueKind::Float ? min_ : std::trunc(min_);
}

void SpinEditModel::SetValue(long double value) {
    host_.SetText(FormatSpinValue(ClampSpinValue(value, min_, max_), type_, decimal_, decimalSeparator));
}

void SpinEditModel::SetValueType(SpinValueKind type) {
    type_ = type;
    SetValue(Value());
    if (type_ != SpinValueKind::Float) {
        increment_ = RoundEven(increment_);
        if (increment_ == 0) increment_ = 1;
    }
}

void SpinEditModel::SetDecimal(int decimals) {
    decimal_ = std::clamp(decimals, 0, 255);
    SetValue(Value());
}

void SpinEditModel::StepUp() { Step(increment_, true); }
void SpinEditModel::StepDown() { Step(-increment_, false); }

void SpinEditModel::Step(long double delta, bool up) {
    if (readOnly) {
        host_.Beep();
        return;
    }
    const std::string before = host_.Text();
    // The write's own change notification is held back: one Changed
    // follows, and only when the text really changed.
    const bool wasChanging = changing_;
    changing_ = true;
    try {
        SetValue(Value() + delta);
    } catch (...) {
        changing_ = wasChanging;
        throw;
    }
    changing_ = wasChanging;
    if (!changing_ && !EqualIgnoringCase(host_.Text(), before)) {
        host_.SetModified();
        host_.Changed();
    }
    if (up)
        host_.TopClick();
    else
        host_.BottomClick();
}

bool SpinEditModel::AcceptsChar(char c) const {
    const auto code = static_cast<unsigned char>(c);
    bool accepted = code < 32 || c == '+' || c == '-' || IsDigit(c);
    if (!accepted && type_ == SpinValueKind::Float) {
        const std::string text = host_.Text();
        if (c == decimalSeparator)
            accepted = text.find(decimalSeparator) == std::string::npos;
        else if (c == 'e' || c == 'E')
            accepted = text.find_first_of("eE") == std::string::npos;
    }
    if (!accepted && type_ == SpinValueKind::Hex) accepted = HexDigit(c) >= 0;
    if (accepted && !editorEnabled && (code == 8 || code >= 32)) accepted = false;
    return accepted;
}

bool SpinEditModel::KeyPress(char key) {
    if (!AcceptsChar(key)) {
        host_.Beep();
        return false;
    }
    if (key == '\r' || key == '\x1b') {
        host_.DialogKey(key);
        return key != '\r';
    }
    return true;
}

bool SpinEditModel::KeyDown(unsigned keyCode) {
    if (!arrowKeys) return false;
    if (keyCode == vk::kUp) {
        StepUp();
        return true;
    }
    if (keyCode == vk::kDown) {
        StepDown();
        return true;
    }
    return false;
}

void SpinEditModel::TextChanged() {
    if (!changing_) host_.Changed();
}

void SpinEditModel::Enter(bool byLeftMouse) {
    if (autoSelect && !byLeftMouse) host_.SelectAll();
}

void SpinEditModel::Exit() {
    // A text that is no number stays as typed.
    const auto value = ParseSpinText(host_.Text(), type_, decimalSeparator);
    if (value && ClampSpinValue(*value, min_, max_) != *value) SetValue(*value);
}

void SpinEditModel::UpDownPosition(int position) {
    if (position == 0) return;
    host_.FocusEdit();
    if (position > 0)
        StepUp();
    else
        StepDown();
}

// ---- Diagonal spin button --------------------------------------------------

SpinHalf DiagonalHalf(double x, double y, double width, double height) {
    if (width <= 0) return SpinHalf::Top;
    return y > height - x * height / width ? SpinHalf::Bottom : SpinHalf::Top;
}

void SpinButtonModel::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) EndDrag();
    host_.Repaint();  // the pictures differ when disabled
}

void SpinButtonModel::MouseDown(int x, int y) {
    if (!enabled_) return;
    host_.FocusControl();
    if (down_ != SpinHalf::None) return;
    dragging_ = true;
    host_.CaptureMouse();
    down_ = lastPressed_ = DiagonalHalf(x, y, width_, height_);
    RunStep(down_);
    host_.Repaint();
    interval_ = kFirstDelay;
    host_.StartTimer(kFirstDelay);
}

void SpinButtonModel::MouseMove(int x, int y) {
    if (!dragging_) return;
    const SpinHalf now =
        Inside(x, y) && DiagonalHalf(x, y, width_, height_) == lastPressed_ ? lastPressed_ : SpinHalf::None;
    if (now == down_) return;
    down_ = now;
    host_.Repaint();
}

void SpinButtonModel::MouseUp(int, int) {
    if (dragging_) EndDrag();
}

void SpinButtonModel::CaptureLost() {
    if (dragging_) EndDrag();
}

// The press is over wherever the pointer is; the timer has nothing left to do.
void SpinButtonModel::EndDrag() {
    const bool wasDragging = dragging_;
    dragging_ = false;
    host_.StopTimer();
    interval_ = 0;
    if (wasDragging) host_.ReleaseMouse();
    lastPressed_ = SpinHalf::None;
    if (down_ != SpinHalf::None) {
        down_ = SpinHalf::None;
        host_.Repaint();
    }
}

void SpinButtonModel::TimerTick() {
    if (interval_ != kRepeatInterval) {
        interval_ = kRepeatInterval;
        host_.StartTimer(kRepeatInterval);
    }
    if (down_ == SpinHalf::None || !host_.HasCapture()) return;
    try {
        RunStep(down_);
    } catch (...) {
        host_.StopTimer();
        interval_ = 0;
        throw;
    }
}

void SpinButtonModel::RunStep(SpinHalf half) {
    if (half == SpinHalf::Top)
        host_.TopClick();
    else if (half == SpinHalf::Bottom)
        host_.BottomClick();
}

// ---- Geometry --------------------------------------------------------------

SpinGlyphPlaces SpinGlyphPositions(int buttonW, int buttonH, int glyphW, int glyphH, SpinHalf down) {
    const auto at = [](long double v) { return static_cast<int>(RoundEven(v)); };
    SpinGlyphPlaces places;
    places.up = {at(buttonW / 4.0L - glyphW / 2.0L) + 1, at(buttonH / 4.0L - glyphH / 2.0L) + 1};
    if (down == SpinHalf::Top) {
        ++places.up.x;
        ++places.up.y;
    }
    places.down = {at(3 * buttonW / 4.0L - glyphW / 2.0L) - 1, at(3 * buttonH / 4.0L - glyphH / 2.0L) - 1};
    return places;
}

IntRect DiagonalButtonBounds(int width, int height, bool sunkenBorder, bool rightToLeft) {
    const int side = sunkenBorder ? height - 3 : height;
    const int top = sunkenBorder ? -1 : 0;
    const int left = rightToLeft ? (sunkenBorder ? -1 : 0) : (sunkenBorder ? width - height - 1 : width - height);
    return IntRect{left, top, left + side, top + side};
}

IntRect SpinFormatRect(int clientWidth, int clientHeight, int buttonWidth, bool rightToLeft) {
    if (rightToLeft) return IntRect{buttonWidth + 1, 0, clientWidth - 1, clientHeight + 1};
    return IntRect{0, 0, clientWidth - buttonWidth - 2, clientHeight + 1};
}

int SpinMinHeight(int textHeight, int borderHeight) { return textHeight + 4 * borderHeight + 1; }

int StandardSpinWidth(int scrollArrowWidth) { return std::min(scrollArrowWidth, 15); }

}  // namespace orvik
