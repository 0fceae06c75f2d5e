// OrvikPlayer.exe: creates the window set, runs the message loop, and takes
// the windows down in reverse order when the loop ends.
#include <windows.h>

#include "OrvikPlayer/win32/WindowSet.h"
#include "app/win32/Application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orvik::Application& app = orvik::Application::Instance();
    try {
        app.Initialize(instance);
        orvik::WindowSet windows;
        app.Run();
    } catch (const std::exception& e) {
        // Only start-up can fail this way (a window that cannot be made).
        app.ShowException(e);
        return 1;
    }
    return 0;
}
