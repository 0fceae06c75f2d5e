// The fixture of the end-to-end tests that use one running program: started
// with the store cleared, its main window and media list found.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Driver.h"

namespace e2e {

class ProgramTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program.Start());
        main = program.MainWindow();
        list = ChildOfClass(main, "ListBox");
        ASSERT_NE(list, nullptr);
    }
    // Adds each file through the open dialog (Ctrl+O), waiting for its entry.
    void AddFiles(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            const int count = ListCount(list);
            PressKey(main, 'O', true);
            ASSERT_TRUE(ConfirmOpenDialog(program.ProcessId(), path));
            ASSERT_TRUE(WaitUntil([&] { return ListCount(list) == count + 1; }));
        }
    }

    Program program;
    HWND main = nullptr, list = nullptr;
};

}  // namespace e2e
