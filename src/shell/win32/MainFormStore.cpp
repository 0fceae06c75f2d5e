// The main window's tray icon and media list store.
#include "app/win32/Application.h"
#include "app/win32/WindowSet.h"
#include "shell/win32/MainForm.h"

namespace orvik {

void TMainForm::CreateTrayAndStore() {
    // The icon is in place before any window shows.
    RxTrayIcon1.SetPopupMenu(&RxPopupMenu1);
    RxTrayIcon1.OnDblClick = [this] { RxTrayIcon1DblClick(); };
    RxTrayIcon1.SetHint("Orvik Encoder");
    RxTrayIcon1.SetIcon(static_cast<HICON>(
        LoadImageA(Application::Instance().Module(), "MAINICON", IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    RxTrayIcon1.Loaded();
}

void TMainForm::RxTrayIcon1DblClick() { ShowMain(); }

void TMainForm::FormShow() {
    Form::FormShow();
    FormStorage1.FormShow();
}

bool TMainForm::CloseQuery() {
    const bool allowed = Form::CloseQuery();
    FormStorage1.CloseQuery(allowed);
    return allowed;
}

}  // namespace orvik
