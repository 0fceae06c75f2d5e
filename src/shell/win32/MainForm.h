// The main window (class "TMainForm"): the skinned, borderless window with
// the media list, seven picture buttons, the header strip, the minimise and
// terminate pictures, the main and header popup menus, the tray icon, and
// the store that keeps the list in the registry.
#pragma once
#include "app/win32/Form.h"
#include "controls/win32/FlatButton.h"
#include "controls/win32/Picture.h"
#include "controls/win32/PopupMenu.h"
#include "controls/win32/ShadowLabel.h"
#include "platform/win32/RegistryKeyStore.h"
#include "shell/FormStorage.h"
#include "shell/HandOver.h"
#include "shell/win32/MediaListBox.h"
#include "shell/win32/TrayIcon.h"

namespace orvik {

class MainForm : public Form {
public:
    MainForm();
    ~MainForm() override;

    // The windows this one opens: the player (modally) and the encoder dialog.
    void Connect(Form& player, Form& encoder);

    MediaList& Media() { return mediaList_; }
    ShadowLabel& TitleLabel() { return titleLabel_; }
    GraphicControl& Header() { return header_; }
    FlatButton& EncodeButton() { return encodeButton_; }

    // What the buttons, menu items and shortcuts do.
    void OpenFile();
    void PlayFile();
    void EncodeFile();
    void OpenHomePage();
    void DragWindow();
    // Files from Explorer: added to the list by the open dialog's rules, in
    // one go. A later start's hand-over first shows the window as show-main
    // does.
    void AddFiles(const FileNames& names);
    void TakeHandOver(const FileNames& names);

    bool PreTranslateMessage(MSG& msg) override;
    bool MayClose() override;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void Dismiss() override;
    void Showing() override;
    void ContextMenu(POINT screen, GraphicControl* target) override;
    void Command(unsigned id) override;

private:
    void SyncStore(StoreMoment moment);
    void CreateControls();
    void CreateTrayIcon();

    // Graphic controls, in creation (= stacking) order.
    Picture skin_, minimizeDown_, minimize_, terminateDown_, terminate_;
    ShadowLabel titleLabel_;
    Picture openFace_, playFace_, encodeFace_, viewFace_, optionsFace_, helpFace_, aboutFace_;
    FlatButton openButton_, playButton_, encodeButton_, optionsButton_, viewButton_, helpButton_, aboutButton_;
    GraphicControl header_;

    MediaListBox listBox_;  // the store's; everything else uses mediaList_
    Brush listBrush_;
    PopupMenu mainMenu_, headerMenu_;
    TrayIcon trayIcon_;
    RegistryKeyStore registry_;
    FormStorage store_;
    StoredMediaList mediaList_{listBox_, store_};
    Form* player_ = nullptr;
    Form* encoder_ = nullptr;
};

}  // namespace orvik
