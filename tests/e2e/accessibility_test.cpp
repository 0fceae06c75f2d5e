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
    EXPECT_EQ(window.Painted(), expected);  // the skin, the face pictures and the header strip are decoration
    const Seen encode = window.Find("Encode media file");
    EXPECT_EQ(encode.action, "Press");
    EXPECT_EQ(encode.state & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE), STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(window.Count(), static_cast<long>(expected.size()) + 1);  // and the list box

    // Where it is, and found there by point; the list box is an object of its own.
    const RECT r = window.Location(encode.id);
    const POINT corner = ClientToScreenPoint(main, 92, 24);
    EXPECT_EQ(r.left, corner.x);
    EXPECT_EQ(r.top, corner.y);
    EXPECT_EQ(r.right - r.left, 40);
    EXPECT_EQ(HitChild(window, POINT{r.left + 20, r.top + 20}), encode.id);
    EXPECT_EQ(HitChild(window, ClientToScreenPoint(main, 150, 120)), 0);

    // The button under the pointer is hot, and says so. The pointer comes
    // in by two moves, as a hand moves it (Wine ends the leave tracking that
    // the first move into a window starts at once).
    const Seen play = window.Find("Play selected file");
    const RECT p = window.Location(play.id);
    MoveMouse(p.left + 10, p.top + 10);
    MoveMouse(p.left + 20, p.top + 20);
    EXPECT_TRUE(WaitUntil([&] { return window.Find("Play selected file").state & STATE_SYSTEM_HOTTRACKED; }));
    EXPECT_TRUE(HeardEvent(EVENT_OBJECT_STATECHANGE, main));

    // Its default action presses it: the encoder dialog comes up, and the
    // caller waits for none of it.
    EXPECT_EQ(window->accDoDefaultAction(Child(encode.id)), S_OK);
    EXPECT_NE(program.WaitForVisibleWindow("TEncodeForm"), nullptr);
}

TEST_F(ScreenReader, EncoderDialogsNameEveryFieldAndTheirSwitchesTellTheirState) {
    PressKey(main, 'E', true);
    HWND lame = program.WaitForVisibleWindow("TEncodeForm");
    ASSERT_NE(lame, nullptr);
    const Painted lameFace = {{kText, "Input file:"}, {kButton, "Browse for input file"}, {kText, "Output file:"},
                              {kButton, "Encode to MP3 !"}};
    EXPECT_EQ(Client(lame).Painted(), lameFace);  // the hidden Vorbis faces say nothing

    HWND chooser = GetDlgItem(lame, kIdLameChooser);
    const struct {
        HWND window;
        const char* name;
        const char* value;
    } fields[] = {
        {chooser, "Select Encoder", "Lame MP3 Encoder"},
        {GetWindow(chooser, GW_CHILD), "Select Encoder", "Lame MP3 Encoder"},  // the field inside it
        {GetDlgItem(lame, kIdLameBitRate), "Select encode bit rate", "128"},
        {GetDlgItem(lame, kIdLameInput), "Input file:", ""},
        {GetDlgItem(lame, kIdLameOutput), "Output file:", "EncodedFile"},
    };
    for (const auto& f : fields) {
        const Seen s = Field(f.window);
        EXPECT_EQ(s.name, f.name);
        EXPECT_EQ(s.value, f.value) << f.name;
    }

    // A switch is a check button that tells its state, and its default
    // action toggles it.
    HWND mono = GetDlgItem(lame, kIdLameMono);
    Seen s = Field(GetDlgItem(lame, kIdLameHighQuality));
    EXPECT_EQ(s.name, "high quality");
    EXPECT_EQ(s.role, ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(s.action, "Toggle");
    EXPECT_TRUE(s.state & STATE_SYSTEM_CHECKED);
    EXPECT_FALSE(Field(mono).state & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(Client(mono)->accDoDefaultAction(Child(CHILDID_SELF)), S_OK);
    EXPECT_EQ(SendMessageW(mono, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(Field(mono).state & STATE_SYSTEM_CHECKED);
    EXPECT_TRUE(HeardEvent(EVENT_OBJECT_STATECHANGE, mono));

    // GoGo: its two fields by their labels, not by the quality word between.
    ASSERT_TRUE(PickComboEntry(program.ProcessId(), chooser, 3));
    HWND goGo = program.WaitForVisibleWindow("TEncodeForm2");
    ASSERT_NE(goGo, nullptr);
    EXPECT_EQ(Field(GetDlgItem(goGo, kIdGoGoInput)).name, "Input file:");
    EXPECT_EQ(Field(GetDlgItem(goGo, kIdGoGoOutput)).name, "Output file:");
    EXPECT_EQ(Field(GetDlgItem(goGo, kIdGoGoQuality)).name, "Quantity");
    EXPECT_EQ(Client(goGo).Painted(), (Painted{{kText, "Input file:"}, {kButton, "Browse for input file"},
                                               {kText, "Output file:"}, {kButton, "Encode to MP3!"}}));

    ASSERT_TRUE(PickComboEntry(program.ProcessId(), GetDlgItem(goGo, kIdGoGoChooser), 4));
    HWND aac = program.WaitForVisibleWindow("TEncodeForm3");
    ASSERT_NE(aac, nullptr);
    s = Field(GetDlgItem(aac, kIdAacMidSide));
    EXPECT_EQ(s.name, "Use mid/side stereo coding");
    EXPECT_TRUE(s.state & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(Client(aac).Painted(), (Painted{{kText, "Input file:"}, {kButton, "Browse for input file"},
                                              {kButton, "Encode to AAC!"}}));

    // WMA: the spin edit is a text field named by its group, its number the value.
    ASSERT_TRUE(PickComboEntry(program.ProcessId(), GetDlgItem(aac, kIdAacChooser), 5));
    HWND wma = program.WaitForVisibleWindow("TEncodeForm4");
    ASSERT_NE(wma, nullptr);
    s = Field(GetDlgItem(wma, kIdWmaQuality));
    EXPECT_EQ(s.name, "Quality");
    EXPECT_EQ(s.role, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(s.value, "75");
    EXPECT_EQ(Field(GetDlgItem(wma, kIdWmaAllStats)).name, "Display all");
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
    ASSERT_TRUE(controls);
    EXPECT_EQ(controls.Painted(), (Painted{{kButton, "Go to start"}, {kButton, "Step back"}, {kButton, "Play"},
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
