#include "shell/win32/MainForm.h"

#include <shellapi.h>

#include "app/win32/Application.h"
#include "app/win32/WindowSet.h"
#include "controls/win32/OpenDialog.h"
#include "encoding/win32/EncodeForm.h"
#include "playback/win32/PlayForm.h"
#include "shell/MainMenus.h"

namespace orvik {

namespace {
constexpr int kListBoxId = 1;
// SC_MOVE plus 2: move the window as if its title bar were dragged.
constexpr WPARAM kDragMove = 0xF012;
}  // namespace

TMainForm::TMainForm() {
    FormSpec spec;
    spec.className = "TMainForm";
    spec.caption = "Orvik Encoder";
    spec.clientWidth = 306;
    spec.clientHeight = 184;
    spec.border = FormBorder::None;
    spec.screenCenter = true;
    spec.color = GetSysColor(COLOR_BTNFACE);
    CreateForm(spec);
    BuildMenus();
    CreateControls();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildMenus() {
    RxPopupMenu1.Build(MainPopupItems());
    RxPopupMenu1.SetAction("OpenMediaFile1", [this] { OpenFile.Click(); });
    RxPopupMenu1.SetAction("PlaySelectedFile1", [this] { PlayFile.Click(); });
    RxPopupMenu1.SetAction("EncodeSelectedFile1", [this] { EncodeFile.Click(); });
    RxPopupMenu1.SetAction("ProgramOptions1", [this] { Options.Click(); });
    RxPopupMenu1.SetAction("ProgramView1", [this] { View.Click(); });
    RxPopupMenu1.SetAction("Help1", [this] { Help.Click(); });
    RxPopupMenu1.SetAction("AboutProgram1", [this] { About.Click(); });
    RxPopupMenu1.SetAction("ProgramsHomePage1", [this] { ProgramsHomePage1Click(); });
    RxPopupMenu1.SetAction("HideOrvikEncoder1", [] { HideAll(); });
    RxPopupMenu1.SetAction("HideOrvikEncoder2", [] { ShowMain(); });
    RxPopupMenu1.SetAction("Exit1", [] { TerminateRequest(); });
    RxPopupMenu2.Build(HeaderPopupItems());
    RxPopupMenu2.SetAction("Minimizetotray1", [] { HideAll(); });
    RxPopupMenu2.SetAction("erminate1", [] { TerminateRequest(); });
    popupMenu_ = &RxPopupMenu1;
}

void TMainForm::CreateControls() {
    struct PictureSpec {
        Picture* picture;
        int x, y, w, h;
        const char* bitmap;
        const char* hint;
    };
    const PictureSpec pictures[] = {
        {&Image1, 0, 0, 306, 184, "MAIN_SKIN", ""},
        {&Image2, 256, 3, 17, 17, "MAIN_MINIMIZE_DOWN", "Minimize"},
        {&Image3, 256, 3, 17, 17, "MAIN_MINIMIZE", "Minimize"},
        {&Image4, 280, 3, 17, 17, "MAIN_TERMINATE_DOWN", "Terminate"},
        {&Image5, 280, 3, 17, 17, "MAIN_TERMINATE", "Terminate"},
    };
    for (const PictureSpec& p : pictures) {
        p.picture->SetBounds(p.x, p.y, p.w, p.h);
        p.picture->SetBitmap(LoadBitmapResource(p.bitmap));
        AddGraphic(p.picture);
        p.picture->SetHint(p.hint);
    }
    Image2.SetVisible(false);
    Image4.SetVisible(false);

    RxLabel1.SetBounds(21, 4, 76, 13);
    RxLabel1.SetColor(RGB(255, 0, 0));
    RxLabel1.SetFont("MS Sans Serif", 11, RGB(0, 0, 0));
    RxLabel1.SetShadowColor(GetSysColor(COLOR_BACKGROUND));
    RxLabel1.SetTransparent(true);
    RxLabel1.SetCaption("Orvik Encoder");
    AddGraphic(&RxLabel1);

    const PictureSpec faces[] = {
        {&Image6, 12, 24, 40, 40, "FACE_OPEN", ""},     {&Image7, 52, 24, 40, 40, "FACE_PLAY", ""},
        {&Image8, 92, 24, 40, 40, "FACE_ENCODE", ""},   {&Image9, 172, 24, 40, 40, "FACE_VIEW", ""},
        {&Image10, 132, 24, 40, 40, "FACE_OPTIONS", ""}, {&Image11, 212, 24, 40, 40, "FACE_HELP", ""},
        {&Image12, 252, 24, 40, 40, "FACE_ABOUT", ""},
    };
    for (const PictureSpec& p : faces) {
        p.picture->SetBounds(p.x, p.y, p.w, p.h);
        p.picture->SetBitmap(LoadBitmapResource(p.bitmap));
        AddGraphic(p.picture);
    }

    struct ButtonSpec {
        FlatButton* button;
        int x;
        const char* hint;
    };
    const ButtonSpec buttons[] = {
        {&OpenFile, 12, "Open media file"}, {&PlayFile, 52, "Play selected file"},
        {&EncodeFile, 92, "Encode media file"}, {&Options, 132, "Options"},
        {&View, 172, "View properties"}, {&Help, 212, "Help"},
        {&About, 252, "About program"},
    };
    for (const ButtonSpec& b : buttons) {
        b.button->SetBounds(b.x, 24, 40, 40);
        AddGraphic(b.button);
        b.button->SetHint(b.hint);
    }
    OpenFile.OnClick = [this] { OpenFileClick(); };
    PlayFile.OnClick = [this] { PlayFileClick(); };
    EncodeFile.OnClick = [this] { EncodeFileClick(); };

    Head.SetBounds(0, 0, 257, 20);
    Head.SetPopup(&RxPopupMenu2);
    Head.OnMouseDown = [this](MouseButton button, int, int) {
        // Only the left button drags: the platform's move loop ends on a left
        // release, so a move started by another button would keep the window
        // stuck to the pointer after the header menu closed.
        if (button == MouseButton::Left) HeadMouseDown();
    };
    AddGraphic(&Head);

    Image2.OnClick = Image3.OnClick = [] { HideAll(); };
    Image4.OnClick = Image5.OnClick = [] { TerminateRequest(); };
    // Pressed-state swap: the lower picture shows while a button is held.
    Image3.OnMouseDown = [this](MouseButton, int, int) { Image2.SetVisible(true); Image3.SetVisible(false); };
    Image3.OnMouseUp = [this](MouseButton, int, int) { Image2.SetVisible(false); Image3.SetVisible(true); };
    Image5.OnMouseDown = [this](MouseButton, int, int) { Image4.SetVisible(true); Image5.SetVisible(false); };
    Image5.OnMouseUp = [this](MouseButton, int, int) { Image4.SetVisible(false); Image5.SetVisible(true); };

    listBrush_.Reset(CreateSolidBrush(GetSysColor(COLOR_GRAYTEXT)));
    HWND list = AddChild(ChildSpec{"LISTBOX", "", 16, 72, 273, 97,
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                   WS_EX_CLIENTEDGE, kListBoxId});
    SendMessageA(list, LB_SETITEMHEIGHT, 0, 13);
    ListBox1.Attach(list);
    ListBox1.OnKeyPress = [this](char key) { return ListBox1KeyPress(key); };
    SetFocus(list);
}

void TMainForm::OpenFileClick() {
    OpenDialogOptions options;
    options.filter = kMediaFileFilter;
    std::string path;
    if (!RunOpenDialog(hwnd_, options, path)) return;
    AddChosenFile(ListBox1, path);
}

void TMainForm::PlayFileClick() {
    if (ListBox1.SelectedIndex() < 0) {
        MessageBeep(0);
        return;
    }
    Application::Instance().ShowModal(*PlayForm);
}

void TMainForm::EncodeFileClick() { EncodeForm->Show(); }

void TMainForm::ProgramsHomePage1Click() {
    ShellExecuteA(Application::Instance().Handle(), nullptr, kHomePageAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void TMainForm::HeadMouseDown() {
    ReleaseCapture();
    SendMessageA(hwnd_, WM_SYSCOMMAND, kDragMove, 0);
}

bool TMainForm::ListBox1KeyPress(char key) {
    if (key != '\b') return false;
    DeleteSelectedEntry(ListBox1);
    return true;
}

bool TMainForm::PreTranslateMessage(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
        return RxPopupMenu1.IsShortcut(static_cast<unsigned>(msg.wParam));
    return false;
}

void TMainForm::CloseAction() { TerminateRequest(); }

LRESULT TMainForm::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CTLCOLORLISTBOX:
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_GRAYTEXT));
        return reinterpret_cast<LRESULT>(listBrush_.Get());
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && ListBox1.Handle()) SetFocus(ListBox1.Handle());
        return 0;
    default:
        break;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}

}  // namespace orvik
