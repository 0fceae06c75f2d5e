// Win32 tests run inside an initialised application object, as the program does.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/win32/Application.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    orvik::Application::Instance().Initialize(GetModuleHandleA(nullptr));
    return RUN_ALL_TESTS();
}
