// OrvikPlayer.exe: one copy per desktop. A start while a copy runs hands
// its files to that copy and ends; the first start creates the window set,
// adds the files it was started with, runs the message loop, and takes the
// windows down in reverse order when the loop ends.
#include <windows.h>

#include "OrvikPlayer/win32/WindowSet.h"
#include "app/win32/Application.h"
#include "shell/win32/IncomingFiles.h"
#include "shell/win32/MainForm.h"
#include "shell/win32/SingleCopy.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orvik::Application& app = orvik::Application::Instance();
    const orvik::HandOverMessage files = orvik::CommandLineFiles();
    orvik::SingleCopy copy;
    switch (copy.Claim(files)) {
    case orvik::SingleCopy::Start::HandedOver:
        return 0;
    case orvik::SingleCopy::Start::NotAnswering:
        app.Initialize(instance);
        app.ShowError("A copy of Orvik Encoder is running but is not answering");
        return 1;
    case orvik::SingleCopy::Start::First:
        break;
    }
    try {
        app.Initialize(instance);
        orvik::WindowSet windows;
        orvik::MainForm& main = windows.Main();
        if (!files.empty()) main.AddFiles(files.data(), files.size() * sizeof(wchar_t));
        copy.Listen([&main](const void* message, std::size_t bytes) { main.TakeHandOver(message, bytes); });
        app.Run();
        // Later starts wait for this copy to end from here on.
        copy.StopListening();
    } catch (const std::exception& e) {
        // Only start-up can fail this way (a window that cannot be made).
        app.ShowException(e);
        return 1;
    }
    return 0;
}
