// The program as a screen reader meets it: through oleacc from this separate
// process (AccessibleObjectFromWindow, AccessibleChildren, accHitTest,
// accDoDefaultAction, WinEvents). What is checked is what the program itself
// provides: the controls it paints, its switches and slider, and the names it
// gives its fields; Wine's own proxies for standard controls say little more
// than a window's text.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramTest.h"
#include "encoding/win32/ControlIds.h"
#include "playback/win32/PlayerControlIds.h"
#include "win32/TestSupport.h"

using namespace e2e;
using namespace orvik;

namespace {

struct Seen {
    long id = 0;  // the child id
    long role = 0, state = 0;
    std::string name, value, action;
};

std::string Utf8(BSTR text) {
    if (!text) return {};
    char out[512] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
    SysFreeString(text);
    return out;
}

VARIANT Child(long id) {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

Seen Describe(IAccessible* object, long id) {
    Seen s;
    s.id = id;
    const VARIANT child = Child(id);
    BSTR text = nullptr;
    if (object->get_accName(child, &text) == S_OK) s.name = Utf8(text);
    text = nullptr;
    if (object->get_accValue(child, &text) == S_OK) s.value = Utf8(text);
    text = nullptr;
    if (object->get_accDefaultAction(child, &text) == S_OK) s.action = Utf8(text);
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(object->get_accRole(child, &v)) && v.vt == VT_I4) s.role = v.lVal;
    VariantInit(&v);
    if (SUCCEEDED(object->get_accState(child, &v)) && v.vt == VT_I4) s.state = v.lVal;
    return s;
}

// The client object of a window of the program, released when it goes.
class Client {
public:
    explicit Client(HWND window) {
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&object_));
    }
    ~Client() {
        if (object_) object_->Release();
    }
    IAccessible* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    Seen Self() const { return Describe(object_, CHILDID_SELF); }
    long Count() const {
        long count = 0;
        object_->get_accChildCount(&count);
        return count;
    }
    // The painted controls among its children as AccessibleChildren gives
    // them (the child windows come as objects of their own).
    std::vector<Seen> Children() const {
        long count = 0;
        object_->get_accChildCount(&count);
        std::vector<VARIANT> children(static_cast<size_t>(count));
        long got = 0;
        AccessibleChildren(object_, 0, count, children.data(), &got);
        std::vector<Seen> seen;
        for (long i = 0; i < got; ++i) {
            VARIANT& c = children[static_cast<size_t>(i)];
            if (c.vt == VT_I4) seen.push_back(Describe(object_, c.lVal));
            if (c.vt == VT_DISPATCH) c.pdispVal->Release();
        }
        return seen;
    }
    // The painted controls alone, as role and name.
    std::vector<std::pair<long, std::string>> Painted() const {
        std::vector<std::pair<long, std::string>> painted;
        for (const Seen& s : Children()) painted.push_back({s.role, s.name});
        return painted;
    }
    Seen Find(const std::string& name) const {
        for (const Seen& s : Children())
            if (s.name == name) return s;
        return Seen{};
    }
    RECT Location(long id) const {
        long l = 0, t = 0, w = 0, h = 0;
        object_->accLocation(&l, &t, &w, &h, Child(id));
        return RECT{l, t, l + w, t + h};
    }

private:
    IAccessible* object_ = nullptr;
};

// The object a screen reader finds at a screen point: a child id of the
// window's object, or 0 for another object (a child window).
long HitChild(const Client& client, POINT p) {
    VARIANT v;
    VariantInit(&v);
    if (client->accHitTest(p.x, p.y, &v) != S_OK) return -1;
    if (v.vt == VT_DISPATCH) {
        v.pdispVal->Release();
        return 0;
    }
    return v.vt == VT_I4 ? v.lVal : -1;
}

// WinEvents from the program, as a screen reader hears them (out of context:
// they arrive as messages of this thread).
std::vector<std::pair<DWORD, HWND>> g_events;
void CALLBACK Heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_CLIENT) g_events.push_back({event, window});
}
bool HeardEvent(DWORD event, HWND window) {
    return WaitUntil([&] {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        return std::find(g_events.begin(), g_events.end(), std::make_pair(event, window)) != g_events.end();
    });
}

using Painted = std::vector<std::pair<long, std::string>>;
constexpr long kButton = ROLE_SYSTEM_PUSHBUTTON, kText = ROLE_SYSTEM_STATICTEXT;

// What a window paints, as role and name in stacking order; every button
// among it can be focused and pressed, and is available.
void ExpectPainted(const Client& window, const Painted& expected) {
    ASSERT_TRUE(window);
    EXPECT_EQ(window.Painted(), expected);
    for (const Seen& s : window.Children()) {
        if (s.role != kButton) continue;
        EXPECT_EQ(s.action, "Press") << s.name;
        EXPECT_EQ(s.state & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE), STATE_SYSTEM_FOCUSABLE) << s.name;
    }
}

class ScreenReader : public ProgramTest {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ProgramTest::SetUp();
        g_events.clear();
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, Heard, program.ProcessId(), 0,
                               WINEVENT_OUTOFCONTEXT);
    }
    void TearDown() override {
        if (hook) UnhookWinEvent(hook);
        CoUninitialize();
    }
    // A field's name, role and value, and a switch's too.
    static Seen Field(HWND window) { return Client(window).Self(); }

    HWINEVENTHOOK hook = nullptr;
};

}  // namespace

TEST_F(ScreenReader, MainWindowNamesItsPaintedButtonsFindsThemByPointAndPressesOne) {
    Client window(main);
    ASSERT_TRUE(window);
    const Painted expected = {{kButton, "Minimize"},          {kButton, "Terminate"},       {kText, "Orvik Encoder"},
                              {kButton, "Open media file"},   {kButton, "Play selected file"},
                              {kButton, "Encode media file"}, {kButton, "Options"},
                              {kButton, "View properties"},   {kButton, "Help"},
                              {kButton, "About program"}};
    ExpectPainted(window, expected);  // the skin, the face pictures and the header strip are decoration
    const Seen encode = window.Find("Encode media file");
    EXPECT_EQ(window.Count(), static_cast<long>(expected.size()) + 1);  // and the list box

    // Where it is, and found there by point; the list box is an object of its own.
    const RECT r = window.Location(encode.id);
    const POINT corner = ClientToScreenPoint(main, 92, 24);
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(HitChild(window, POINT{r.left + 20, r.top + 20}), encode.id);
    EXPECT_EQ(HitChild(window, ClientToScreenPoint(main, 150, 120)), 0);

    // The button under the pointer is hot, and says so. The pointer moves
    // about inside it, as a hand moves it: Wine may end the leave tracking
    // that the first move into a window starts at once.
    const Seen play = window.Find("Play selected file");
    const RECT p = window.Location(play.id);
    int step = 0;
    EXPECT_TRUE(WaitUntil([&] {
        MoveMouse(p.left + 10 + step++ % 20, p.top + 15);
        Sleep(50);
        return (window.Find("Play selected file").state & STATE_SYSTEM_HOTTRACKED) != 0;
    }));
    EXPECT_TRUE(HeardEvent(EVENT_OBJECT_STATECHANGE, main));

    // Its default action presses it: the encoder dialog comes up, and the
    // caller waits for none of it.
    EXPECT_EQ(window->accDoDefaultAction(Child(encode.id)), S_OK);
    EXPECT_NE(program.WaitForVisibleWindow("TEncodeForm"), nullptr);
}

TEST_F(ScreenReader, EncoderDialogsNameEveryFieldAndTheirSwitchesTellTheirState) {
    // Every face in turn, reached through the chooser of the one before:
    // what it paints, and each field and switch by its id. A field's role
    // is checked only where the program gives one (switches, the spin edit).
    constexpr int kOff = 0, kOn = 1, kNoSwitch = -1;
    struct FieldRow {
        int id;
        const char* name;
        long role;
        int checked;
        const char* value;  // nullptr: not checked
    };
    const long kCheck = ROLE_SYSTEM_CHECKBUTTON;
    const struct {
        const char* windowClass;
        int chooser;  // this face's chooser (the first field shown)
        Painted painted;
        std::vector<FieldRow> fields;
    } faces[] = {
        {"TEncodeForm", kIdLameChooser,
         {{kText, "Input file:"}, {kButton, "Browse for input file"}, {kText, "Output file:"},
          {kButton, "Encode to MP3 !"}},
         {{kIdLameChooser, "Select Encoder", 0, kNoSwitch, "Lame MP3 Encoder"},
          {kIdLameBitRate, "Select encode bit rate", 0, kNoSwitch, "128"},
          {kIdLameHighQuality, "high quality", kCheck, kOn, nullptr},
          {kIdLameMono, "mono mode", kCheck, kOff, nullptr},
          {kIdLameInput, "Input file:", 0, kNoSwitch, ""},
          {kIdLameOutput, "Output file:", 0, kNoSwitch, "EncodedFile"}}},
        {"TEncodeForm", kIdOggEncChooser,
         {{kText, "Input file:"}, {kButton, "Browse for input file"}, {kButton, "Encode to OGG !"}},
         {{kIdOggEncChooser, "Select Encoder", 0, kNoSwitch, "Vorbis OGG Encoder"},
          {kIdOggEncBitRate, "Select encode bit rate", 0, kNoSwitch, nullptr},
          {kIdOggEncQuality, "Quality level", 0, kNoSwitch, "8"},
          {kIdOggEncManaged, "managed", kCheck, kOff, nullptr},
          {kIdOggEncInput, "Input file:", 0, kNoSwitch, nullptr}}},
        {"TEncodeForm", kIdOggDecChooser,
         {{kText, "Input file:"}, {kButton, "Browse for input file"}, {kButton, "Decode OGG to WAV !"}},
         {{kIdOggDecChooser, "Select Encoder", 0, kNoSwitch, nullptr},
          {kIdOggDecInput, "Input file:", 0, kNoSwitch, nullptr}}},
        {"TEncodeForm2", kIdGoGoChooser,  // its fields by their labels, not by the quality word between
         {{kText, "Input file:"}, {kButton, "Browse for input file"}, {kText, "Output file:"},
          {kButton, "Encode to MP3!"}},
         {{kIdGoGoChooser, "Select Encoder", 0, kNoSwitch, "GoGo MP3 Encoder"},
          {kIdGoGoBitRate, "Select encode bit rate", 0, kNoSwitch, nullptr},
          {kIdGoGoQuality, "Quantity", 0, kNoSwitch, nullptr},
          {kIdGoGoInput, "Input file:", 0, kNoSwitch, nullptr},
          {kIdGoGoOutput, "Output file:", 0, kNoSwitch, nullptr}}},
        {"TEncodeForm3", kIdAacChooser,
         {{kText, "Input file:"}, {kButton, "Browse for input file"}, {kButton, "Encode to AAC!"}},
         {{kIdAacChooser, "Select Encoder", 0, kNoSwitch, nullptr},
          {kIdAacBitRate, "Select encode bit rate", 0, kNoSwitch, nullptr},
          {kIdAacMidSide, "Use mid/side stereo coding", kCheck, kOn, nullptr},
          {kIdAacInput, "Input file:", 0, kNoSwitch, nullptr}}},
        {"TEncodeForm4", kIdWmaChooser,  // the spin edit: a text field named by its group, its number the value
         {{kText, "Input file:"}, {kButton, "Browse for input file"}, {kText, "Output file:"},
          {kButton, "Encode to WMA!"}},
         {{kIdWmaChooser, "Select Encoder", 0, kNoSwitch, nullptr},
          {kIdWmaBitRate, "Select encode bit rate", 0, kNoSwitch, nullptr},
          {kIdWmaQuality, "Quality", ROLE_SYSTEM_TEXT, kNoSwitch, "75"},
          {kIdWmaAllStats, "Display all", kCheck, kOn, nullptr},
          {kIdWmaInput, "Input file:", 0, kNoSwitch, nullptr},
          {kIdWmaOutput, "Output file:", 0, kNoSwitch, "EncodedFile"}}},
    };
    PressKey(main, 'E', true);
    HWND window = nullptr, lastChooser = nullptr;
    int entry = 0;
    for (const auto& face : faces) {
        SCOPED_TRACE(face.painted.back().second);
        if (lastChooser) {
            ASSERT_TRUE(PickComboEntry(program.ProcessId(), lastChooser, entry));
        }
        window = program.WaitForVisibleWindow(face.windowClass);
        ASSERT_NE(window, nullptr);
        lastChooser = GetDlgItem(window, face.chooser);
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(lastChooser) != FALSE; }));
        ++entry;
        ExpectPainted(Client(window), face.painted);  // the hidden faces say nothing
        for (const FieldRow& f : face.fields) {
            const Seen s = Field(GetDlgItem(window, f.id));
            EXPECT_EQ(s.name, f.name);
            if (f.role) {
                EXPECT_EQ(s.role, f.role) << f.name;
            }
            if (f.checked != kNoSwitch) {
                EXPECT_EQ((s.state & STATE_SYSTEM_CHECKED) != 0, f.checked == kOn) << f.name;
                EXPECT_EQ(s.action, "Toggle") << f.name;
            }
            if (f.value) {
                EXPECT_EQ(s.value, f.value) << f.name;
            }
        }
        if (face.chooser == kIdLameChooser) {  // the field inside a combo box, where typing happens
            EXPECT_EQ(Field(GetWindow(lastChooser, GW_CHILD)).name, "Select Encoder");
        }
        if (face.chooser == kIdOggDecChooser) {  // its label opens the WMA dialog
            EXPECT_EQ(Client(window).Find("Input file:").action, "Click");
        }
    }

    // A switch's default action toggles it, and it says so.
    HWND allStats = GetDlgItem(window, kIdWmaAllStats);
    EXPECT_EQ(Client(allStats)->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    EXPECT_EQ(SendMessageW(allStats, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(Field(allStats).state & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(HeardEvent(EVENT_OBJECT_STATECHANGE, allStats));
}

TEST_F(ScreenReader, PlayerNamesItsButtonsAndItsSliderSaysThePlaybackTime) {
    const std::string wav = program.Folder() + "\\tone.wav";
    ASSERT_TRUE(orvik::test::WriteBytes(wav, orvik::test::Wav(4000)));
    AddFiles({wav});
    PressKey(main, 'P', true);
    HWND player = program.WaitForVisibleWindow("TPlayForm");
    ASSERT_NE(player, nullptr);
    HWND panel = GetDlgItem(player, player_ids::kControlPanel);
    HWND slider = GetDlgItem(panel, player_ids::kPositionSlider);

    Client controls(panel);
    ExpectPainted(controls, (Painted{{kButton, "Go to start"}, {kButton, "Step back"}, {kButton, "Play"},
                                           {kButton, "Stop"}, {kButton, "Close the CD door"},
                                           {kButton, "Step forward"}, {kButton, "Go to end"}}));
    const Seen stop = controls.Find("Stop");
    const RECT r = controls.Location(stop.id);
    EXPECT_EQ(HitChild(controls, POINT{r.left + 10, r.top + 10}), stop.id);

    const Seen advance = Field(GetDlgItem(panel, player_ids::kAdvanceSwitch));
    EXPECT_EQ(advance.name, "Advance to the next entry");
    EXPECT_TRUE(advance.state & STATE_SYSTEM_CHECKED);

    // The slider: its value is the playing time, told as it moves.
    Seen s = Field(slider);
    EXPECT_EQ(s.name, "Position");
    EXPECT_EQ(s.role, ROLE_SYSTEM_SLIDER);
    EXPECT_TRUE(WaitUntil([&] { return Field(slider).value.find(" of 0:04") != std::string::npos; }))
        << Field(slider).value;
    EXPECT_TRUE(HeardEvent(EVENT_OBJECT_VALUECHANGE, slider));
    EXPECT_TRUE(WaitUntil([&] { return Field(slider).value.rfind("0:01 of", 0) == 0; })) << Field(slider).value;
}
