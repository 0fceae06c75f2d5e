// The application object and the window set on the real platform.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/Exception.h"
#include "app/win32/Application.h"
#include "app/win32/Form.h"
#include "app/win32/Owned.h"

using namespace orvik;

namespace {
class TestForm : public Form {
public:
    explicit TestForm(const char* cls) {
        FormSpec spec;
        spec.className = cls;
        spec.caption = "Test form";
        spec.clientWidth = 200;
        spec.clientHeight = 100;
        CreateForm(spec);
    }
};
}  // namespace

TEST(Application, TitleComesFromTheExecutableName) {
    EXPECT_EQ(Application::Instance().Title(), "win32_tests");  // the file is named in lower case
}

TEST(Application, ModalDisplayRefusesAVisibleForm) {
    TestForm form("TTestModalForm");
    form.Show();
    try {
        Application::Instance().ShowModal(form);
        FAIL() << "a visible form was shown modally";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Cannot make a visible window modal");
    }
    EXPECT_TRUE(form.Visible());
}

// A kernel handle is closed once, by its last owner: at a reset, at the
// end of its scope, and never by an owner it was moved from.
TEST(KernelHandle, ClosesWhatItHoldsOnceOnEveryPath) {
    auto open = [](HANDLE h) {
        DWORD flags = 0;
        return GetHandleInformation(h, &flags) != FALSE;
    };
    const HANDLE first = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE second = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        KernelHandle owner(first);
        KernelHandle moved(std::move(owner));
        EXPECT_FALSE(owner);
        moved.Reset(second);
        EXPECT_FALSE(open(first)) << "a reset keeps the old handle open";
        owner = std::move(moved);
        EXPECT_TRUE(open(second)) << "a move closed the handle";
    }
    EXPECT_FALSE(open(second)) << "the end of the owner keeps the handle open";
}
