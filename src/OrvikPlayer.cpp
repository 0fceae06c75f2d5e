// OrvikPlayer.exe: one copy per desktop. A start while a copy runs hands
// its files to that copy and ends; the first start listens for later
// starts, creates the window set, adds the files it was started with, runs
// the message loop, and takes the windows down in reverse order when the
// loop ends.
#include <windows.h>

#include <optional>

#include "OrvikPlayer/win32/WindowSet.h"
#include "app/win32/Application.h"
#include "shell/win32/IncomingFiles.h"
#include "shell/win32/MainForm.h"
#include "shell/win32/SingleCopy.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    orvik::Application& app = orvik::Application::Instance();
    orvik::FileNames files = orvik::CommandLineFiles();
    orvik::NotAddedReport notHandedOver;
    orvik::SingleCopy copy;
    switch (copy.Claim(files, notHandedOver)) {
    case orvik::SingleCopy::Start::HandedOver:
        if (!notHandedOver.Empty()) {
            app.Initialize(instance);
            orvik::ShowNotAdded(notHandedOver);
        }
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
        // Later starts find this copy before it makes its windows or adds
        // its own files, either of which may show a box: what they hand
        // over waits until that is done.
        orvik::MainForm* main = nullptr;
        copy.Listen([&main](const orvik::FileNames& names) {
            if (main) main->TakeHandOver(names);
        });
        std::optional<orvik::WindowSet> windows;
        copy.HoldHandOvers([&] {
            windows.emplace();
            main = &windows->Main();
            if (!files.empty()) main->AddFiles(files);
        });
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
