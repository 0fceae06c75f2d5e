#include "shell/win32/MainForm.h"

#include <shellapi.h>

#include "app/win32/Application.h"
#include "app/win32/Input.h"
#include "controls/win32/OpenDialog.h"
#include "shell/MainMenus.h"
#include "shell/win32/IncomingFiles.h"

namespace orvik {

namespace {
constexpr int kListBoxId = 1;
// A long list is read in parts: the first before the window shows, the
// others whenever no message waits, each a few dozen milliseconds at most.
// The window appears at once; the rest of the list follows within moments.
constexpr std::size_t kRestoreFirst = 32;
constexpr std::size_t kRestoreStep = 1024;

// The row of faces, each with a flat button over it.
constexpr IntRect FaceBounds(int left) { return At(left, 24, 40, 40); }
}

MainForm::MainForm()
    : store_(registry_, listBox_, StoreKeyPath(Application::Instance().ExePath())) {
    FormSpec spec;
    spec.className = "TMainForm";
    spec.caption = "Orvik Encoder";
    spec.clientWidth = 306;
    spec.clientHeight = 184;
    spec.border = FormBorder::None;
    spec.screenCenter = true;
    spec.color = GetSysColor(COLOR_BTNFACE);
    CreateForm(spec);
    mainMenu_.Build(MainPopupItems());
    headerMenu_.Build(HeaderPopupItems());
    store_.onError = [](const std::exception& e) { Application::Instance().ShowException(e); };
    store_.restoreBatch = kRestoreFirst;
    CreateControls();
    CreateTrayIcon();
    Application::Instance().globalKeys = [this](MSG& msg) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
        const unsigned command = mainMenu_.ShortcutCommand(static_cast<unsigned>(msg.wParam), KeyModifiers());
        if (!WorksFromEveryWindow(command)) return false;
        Command(command);
        return true;
    };
    DragAcceptFiles(hwnd_, TRUE);
}

MainForm::~MainForm() {
    Application::Instance().RunWhenIdle(nullptr);
    Application::Instance().globalKeys = nullptr;
    SyncStore(StoreMoment::Destroyed);
}

void MainForm::Connect(Form& player, Form& encoder) {
    player_ = &player;
    encoder_ = &encoder;
}

void MainForm::CreateControls() {
    struct PictureSpec {
        Picture& picture;
        IntRect bounds;
        const char* bitmap;
        const char* hint;
    };
    const PictureSpec pictures[] = {
        {skin_, At(0, 0, 306, 184), "MAIN_SKIN", ""},
        {minimizeDown_, At(256, 3, 17, 17), "MAIN_MINIMIZE_DOWN", "Minimize"},
        {minimize_, At(256, 3, 17, 17), "MAIN_MINIMIZE", "Minimize"},
        {terminateDown_, At(280, 3, 17, 17), "MAIN_TERMINATE_DOWN", "Terminate"},
        {terminate_, At(280, 3, 17, 17), "MAIN_TERMINATE", "Terminate"},
    };
    for (const PictureSpec& p : pictures) {
        p.picture.SetBounds(p.bounds);
        p.picture.SetBitmap(LoadBitmapResource(p.bitmap));
        AddGraphic(&p.picture);
        p.picture.SetHint(p.hint);
    }
    minimizeDown_.SetVisible(false);
    terminateDown_.SetVisible(false);

    titleLabel_.SetBounds(At(21, 4, 76, 13));
    titleLabel_.SetColor(RGB(255, 0, 0));
    titleLabel_.SetFont("MS Sans Serif", 11, RGB(0, 0, 0));
    titleLabel_.SetShadowColor(GetSysColor(COLOR_BACKGROUND));
    titleLabel_.SetTransparent(true);
    titleLabel_.SetCaption("Orvik Encoder");
    AddGraphic(&titleLabel_);

    const PictureSpec faces[] = {
        {openFace_, FaceBounds(12), "FACE_OPEN", ""},       {playFace_, FaceBounds(52), "FACE_PLAY", ""},
        {encodeFace_, FaceBounds(92), "FACE_ENCODE", ""},   {viewFace_, FaceBounds(172), "FACE_VIEW", ""},
        {optionsFace_, FaceBounds(132), "FACE_OPTIONS", ""}, {helpFace_, FaceBounds(212), "FACE_HELP", ""},
        {aboutFace_, FaceBounds(252), "FACE_ABOUT", ""},
    };
    for (const PictureSpec& p : faces) {
        p.picture.SetBounds(p.bounds);
        p.picture.SetBitmap(LoadBitmapResource(p.bitmap));
        AddGraphic(&p.picture);
    }

    // The flat buttons lie over the faces and only add their frames.
    struct ButtonSpec {
        FlatButton& button;
        const Picture& face;
        const char* hint;
    };
    const ButtonSpec buttons[] = {
        {openButton_, openFace_, "Open media file"},   {playButton_, playFace_, "Play selected file"},
        {encodeButton_, encodeFace_, "Encode media file"}, {optionsButton_, optionsFace_, "Options"},
        {viewButton_, viewFace_, "View properties"},  {helpButton_, helpFace_, "Help"},
        {aboutButton_, aboutFace_, "About program"},
    };
    for (const ButtonSpec& b : buttons) {
        b.button.SetBounds(FromRect(b.face.Bounds()));
        AddGraphic(&b.button);
        b.button.SetHint(b.hint);
    }
    openButton_.onClick = [this] { OpenFile(); };
    playButton_.onClick = [this] { PlayFile(); };
    encodeButton_.onClick = [this] { EncodeFile(); };

    header_.SetBounds(At(0, 0, 257, 20));
    header_.onMouseDown = [this](const MouseEvent& e) {
        // Only the left button drags: the platform's move loop ends on a left
        // release, so a move started by another button would keep the window
        // stuck to the pointer after the header menu closed.
        if (e.button == MouseButton::Left) DragWindow();
    };
    AddGraphic(&header_);

    minimizeDown_.onClick = minimize_.onClick = [] { Application::Instance().HideAll(); };
    terminateDown_.onClick = terminate_.onClick = [] { Application::Instance().Terminate(); };
    // Pressed-state swap: the lower picture shows while a button is held.
    minimize_.onMouseDown = [this](const MouseEvent&) { minimizeDown_.SetVisible(true); minimize_.SetVisible(false); };
    minimize_.onMouseUp = [this](const MouseEvent&) { minimizeDown_.SetVisible(false); minimize_.SetVisible(true); };
    terminate_.onMouseDown = [this](const MouseEvent&) { terminateDown_.SetVisible(true); terminate_.SetVisible(false); };
    terminate_.onMouseUp = [this](const MouseEvent&) { terminateDown_.SetVisible(false); terminate_.SetVisible(true); };

    listBrush_.Reset(CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT)));
    HWND list = AddChild(ChildSpec{"LISTBOX", "",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                   WS_EX_CLIENTEDGE, {hwnd_, At(16, 72, 273, 97), kListBoxId}});
    SendMessageA(list, LB_SETITEMHEIGHT, 0, 13);
    listBox_.Attach(list);
    listBox_.onKeyPress = [this](char key) {
        if (key != '\b') return false;
        DeleteSelectedEntry(mediaList_);
        return true;
    };
    // The list takes the focus whenever the window is activated (WM_ACTIVATE).
}

void MainForm::CreateTrayIcon() {
    // The icon is in place before any window shows.
    trayIcon_.SetPopupMenu(&mainMenu_, hwnd_);
    trayIcon_.onDblClick = [] { Application::Instance().ShowMain(); };
    trayIcon_.SetHint("Orvik Encoder");
    trayIcon_.SetIcon(static_cast<HICON>(
        LoadImageA(Application::Instance().Module(), "MAINICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    trayIcon_.Loaded();
}

// The store decides what each moment does (FormStorage::Sync); a restore
// that reads the list in parts goes on whenever no message waits.
void MainForm::SyncStore(StoreMoment moment) {
    store_.Sync(moment);
    if (moment == StoreMoment::Shown && store_.RestorePending())
        Application::Instance().RunWhenIdle([this] { return store_.ContinueRestore(kRestoreStep); });
}

void MainForm::Showing() { SyncStore(StoreMoment::Shown); }

bool MainForm::MayClose() {
    SyncStore(StoreMoment::CloseAllowed);
    return true;
}

void MainForm::OpenFile() {
    if (Application::Instance().Terminated()) return;
    OpenDialogOptions options;
    options.filter = kMediaFileFilter;
    if (mediaList_.Count() >= kMaxListEntries) {
        NotAddedReport full;
        full.ListFull(1, kMaxListEntries);
        ShowNotAdded(full);
        return;
    }
    std::string path;
    if (!RunOpenDialog(hwnd_, options, path)) return;
    AddChosenFile(mediaList_, path);
}

void MainForm::PlayFile() {
    if (mediaList_.SelectedIndex() < 0) {
        MessageBeep(0);
        return;
    }
    if (player_ && !Application::Instance().Terminated()) Application::Instance().ShowModal(*player_);
}

void MainForm::EncodeFile() {
    if (encoder_ && !Application::Instance().Terminated()) encoder_->Show();
}

void MainForm::OpenHomePage() {
    ShellExecuteA(Application::Instance().Handle(), nullptr, kHomePageAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void MainForm::AddFiles(const FileNames& names) {
    if (Application::Instance().Terminated()) return;
    AddIncomingFiles(mediaList_, names);
}

void MainForm::TakeHandOver(const FileNames& names) {
    Application::Instance().ShowMain();
    AddFiles(names);
}

void MainForm::DragWindow() {
    ReleaseCapture();
    SendMessageA(hwnd_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

void MainForm::Command(unsigned id) {
    Application& app = Application::Instance();
    // Once the program is ending, its windows are going away: no command
    // may reach them.
    if (app.Terminated()) return;
    switch (id) {
    // A menu item that mirrors a button presses it.
    case kCmdOpenMediaFile: openButton_.Click(); break;
    case kCmdPlaySelectedFile: playButton_.Click(); break;
    case kCmdEncodeSelectedFile: encodeButton_.Click(); break;
    case kCmdProgramOptions: optionsButton_.Click(); break;
    case kCmdProgramView: viewButton_.Click(); break;
    case kCmdHelpContents: helpButton_.Click(); break;
    case kCmdAboutProgram: aboutButton_.Click(); break;
    case kCmdHomePage: OpenHomePage(); break;
    case kCmdHideAll: case kCmdMinimizeToTray: app.HideAll(); break;
    case kCmdShowMain: app.ShowMain(); break;
    case kCmdExit: case kCmdTerminate: app.Terminate(); break;
    default: break;
    }
}

void MainForm::ContextMenu(POINT screen, GraphicControl* target) {
    const PopupMenu& menu = target == &header_ ? headerMenu_ : mainMenu_;
    menu.Popup(screen, hwnd_, hwnd_);
}

bool MainForm::PreTranslateMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    const unsigned command = mainMenu_.ShortcutCommand(static_cast<unsigned>(msg.wParam), KeyModifiers());
    if (command == 0) return false;
    Command(command);
    return true;
}

void MainForm::Dismiss() { Application::Instance().Terminate(); }

LRESULT MainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_GRAYTEXT));
        return reinterpret_cast<LRESULT>(listBrush_.Get());
    case WM_DROPFILES: {
        const auto drop = reinterpret_cast<HDROP>(wParam);
        const FileNames files = DroppedFiles(drop);
        DragFinish(drop);
        AddFiles(files);
        return 0;
    }
    case WM_ENDSESSION:  // the process ends with the session: save now
        if (wParam) SyncStore(StoreMoment::SessionEnd);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && listBox_.Handle()) SetFocus(listBox_.Handle());
        return 0;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvik
