#include "app/win32/WindowSet.h"

#include "app/win32/Application.h"
#include "encoding/win32/EncodeForm.h"
#include "encoding/win32/EncodeForm2.h"
#include "encoding/win32/EncodeForm3.h"
#include "encoding/win32/EncodeForm4.h"
#include "playback/win32/PlayForm.h"
#include "shell/win32/MainForm.h"

namespace orvik {

TMainForm* MainForm = nullptr;
TPlayForm* PlayForm = nullptr;
TEncodeForm* EncodeForm = nullptr;
TEncodeForm2* EncodeForm2 = nullptr;
TEncodeForm3* EncodeForm3 = nullptr;
TEncodeForm4* EncodeForm4 = nullptr;

void CreateWindowSet() {
    MainForm = new TMainForm();
    PlayForm = new TPlayForm();
    EncodeForm = new TEncodeForm();
    EncodeForm2 = new TEncodeForm2();
    EncodeForm3 = new TEncodeForm3();
    EncodeForm4 = new TEncodeForm4();
}

template <typename T>
static void DestroyOne(T*& form) {
    delete form;
    form = nullptr;
}

void DestroyWindowSet() {
    DestroyOne(EncodeForm4);
    DestroyOne(EncodeForm3);
    DestroyOne(EncodeForm2);
    DestroyOne(EncodeForm);
    DestroyOne(PlayForm);
    DestroyOne(MainForm);
}

void HideAll() {
    Form* forms[] = {MainForm, PlayForm, EncodeForm, EncodeForm2, EncodeForm3, EncodeForm4};
    for (Form* f : forms)
        if (f) f->Hide();
}

void ShowMain() {
    if (!MainForm) return;
    MainForm->Show();
    // A modal window that hide-all hid comes back with the main window, which
    // it keeps disabled: without it the user would face a dead window.
    Form* others[] = {PlayForm, EncodeForm, EncodeForm2, EncodeForm3, EncodeForm4};
    for (Form* f : others)
        if (f && f->IsModal()) f->Show();
}

void TerminateRequest() { Application::Instance().Terminate(); }

}  // namespace orvik
