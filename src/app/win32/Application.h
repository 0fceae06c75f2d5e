// The application object: the program's module and title, its own window
// (which carries the taskbar entry and owns every form), the message loop,
// modal display, the error box, and the window operations every form shares
// (hide-all, show-main, terminate).
#pragma once
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

namespace orvik {

class Form;

class Application {
public:
    static Application& Instance();

    // Title, common controls and the application window. Safe to call twice.
    void Initialize(HINSTANCE module);
    HINSTANCE Module() const { return module_; }
    HWND Handle() const { return hwnd_; }
    const std::string& Title() const { return title_; }
    const std::string& ExePath() const { return exePath_; }

    // Forms register themselves; the first registered form is the main form.
    void AddForm(Form* form);
    void RemoveForm(Form* form);
    Form* MainForm() const { return forms_.empty() ? nullptr : forms_.front(); }

    // Shows the main form once, at start-up; what that raises goes to the
    // error box. Run calls it unless it was called before.
    void ShowMainAtStart();
    // Shows the main form (unless shown at start already), then dispatches
    // messages until Terminate.
    void Run();
    // The terminate request: the message loop ends after the current message.
    void Terminate();
    // True from the terminate request on: the windows are being taken down,
    // and nothing may open a window any more.
    bool Terminated() const { return terminated_; }
    void ProcessMessages();
    // Work done a step at a time while no message waits, in the main loop
    // and in modal ones: each call of step does a little and returns
    // whether more is left. One at a time: a later one replaces it, and
    // nullptr drops it.
    void RunWhenIdle(std::function<bool()> step);

    // hide-all: hides every form in creation order.
    void HideAll();
    // show-main: shows the main form and brings it to the front, with any
    // modal form that hide-all hid (else the user would face a dead window).
    void ShowMain();

    // Shows the form modally and returns its modal result when it closes.
    // Every window of the program that is visible and enabled stays disabled
    // meanwhile. A form already shown modally is brought forward instead
    // (result 0); any other visible form cannot be shown modally.
    int ShowModal(Form& form);

    // The error box: error icon, application title, message with the period rule.
    void ShowException(const std::exception& e);
    void ShowError(const std::string& message);
    // The error box with wide text, shown as it is.
    void ShowErrorBox(const std::vector<wchar_t>& text);
    // The warning box: warning icon, application title, the text as given
    // (wide: it may hold file names the code page cannot). Over the active
    // window of the program, else the main form.
    void ShowWarning(const wchar_t* text);

    // Keys that act from every form (after the form's own key preview).
    std::function<bool(MSG& msg)> globalKeys;

    // Whether focus marks show: while the keyboard is the input in use,
    // from a key press until the next mouse press (as the system decides
    // whether a window shows keyboard cues).
    bool KeyboardCues() const { return keyboardCues_; }

    // The taskbar entry exists only while a form of the program is visible.
    void UpdateTaskbarEntry();

private:
    Application() = default;
    bool PumpOne();  // false when the queue delivered WM_QUIT (a failed wait is no quit)
    void Dispatch(MSG& msg);
    bool PreTranslate(MSG& msg);
    // The application window was activated: a window that takes input gets it.
    void PassActivation();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HINSTANCE module_ = nullptr;
    HWND hwnd_ = nullptr;
    std::string title_;
    std::string exePath_;
    std::vector<Form*> forms_;
    bool terminated_ = false;
    bool startShown_ = false;
    bool keyboardCues_ = true;
    std::function<bool()> idleStep_;
};

}  // namespace orvik
