// OrvikPlayer.exe: creates the window set, runs the message loop, and takes
// the windows down in reverse order when the loop ends.
#include <windows.h>

#include "app/win32/Application.h"
#include "app/win32/WindowSet.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orvik::Application& app = orvik::Application::Instance();
    app.Initialize(instance);
    orvik::CreateWindowSet();
    app.Run();
    orvik::DestroyWindowSet();
    return 0;
}
