// TMainForm: the skinned, borderless main window with the media list, seven
// picture buttons, the header strip, minimise and terminate pictures, and
// the main and header popup menus.
#pragma once
#include "app/win32/Form.h"
#include "controls/win32/GraphicControl.h"
#include "controls/win32/PopupMenu.h"
#include "controls/win32/RxLabel.h"
#include "shell/win32/MediaListBox.h"
#include "shell/win32/RegistryStorage.h"
#include "shell/win32/RxTrayIcon.h"

namespace orvik {

class TMainForm : public Form {
public:
    TMainForm();
    ~TMainForm() override;

    MediaList& Media() { return ListBox1; }
    PopupMenu& MainMenu() { return RxPopupMenu1; }

    // Button handlers.
    void OpenFileClick();
    void PlayFileClick();
    void EncodeFileClick();
    void ProgramsHomePage1Click();
    void HeadMouseDown();
    bool ListBox1KeyPress(char key);

    bool PreTranslateMessage(MSG& msg) override;

    // Controls, in creation (= stacking) order.
    Picture Image1, Image2, Image3, Image4, Image5;
    TRxLabel RxLabel1;
    Picture Image6, Image7, Image8, Image9, Image10, Image11, Image12;
    FlatButton OpenFile, PlayFile, EncodeFile, Options, View, Help, About;
    GraphicControl Head;
    MediaListBox ListBox1;
    PopupMenu RxPopupMenu1, RxPopupMenu2;
    // Tray icon and media list store (MainFormStore.cpp). The store comes
    // last: it is destroyed first, saving while the list still exists.
    TRxTrayIcon RxTrayIcon1;
    TFormStorage FormStorage1{ListBox1};
    void RxTrayIcon1DblClick();
    bool CloseQuery() override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void CloseAction() override;
    void FormShow() override;

private:
    void CreateControls();
    void BuildMenus();
    void CreateTrayAndStore();
    Brush listBrush_;
};

}  // namespace orvik
