// The application object and the window set on the real platform.
#include <gtest/gtest.h>
#include <windows.h>

#include "app/Exception.h"
#include "app/win32/Application.h"
#include "app/win32/Form.h"

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
