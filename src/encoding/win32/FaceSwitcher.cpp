#include "encoding/win32/FaceSwitcher.h"

#include "app/win32/Application.h"

namespace orvik {

namespace {
constexpr UINT_PTR kBringForwardTimer = 0x4F52;

// Brings a form forward once the message that ended a modal display is
// over and the windows that display disabled are enabled again.
void CALLBACK BringForward(HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    if (!IsWindowVisible(hwnd)) return;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(hwnd);
}

int Index(EncoderDialog dialog) { return static_cast<int>(dialog); }
int Index(EncodeFace face) { return static_cast<int>(face); }
}  // namespace

void FaceSwitcher::Register(EncodeFace face, Form& dialog, ShowChooserText showChooserText,
                            std::function<void(bool)> showPanel) {
    dialogs_[Index(DialogOf(face))] = &dialog;
    faces_[Index(face)] = Face{std::move(showChooserText), std::move(showPanel)};
}

void FaceSwitcher::Pick(EncodeFace chooser, int index) {
    const std::vector<SwitchStep>& steps = ChooserSwitchSteps(chooser, index);
    // A dialog shown modally (the WMA dialog, from the decoder face's label)
    // that its chooser leaves for another face ends its modal display, so
    // that the windows it disabled come back: else the face it leads to
    // could be one of them, and no window would take input.
    Form* modal = nullptr;
    for (const SwitchStep& step : steps)
        if (step.kind == SwitchStep::HideDialog && dialogs_[Index(step.dialog)] &&
            dialogs_[Index(step.dialog)]->IsModal())
            modal = dialogs_[Index(step.dialog)];
    Form* shown = nullptr;
    for (const SwitchStep& step : steps) {
        Form* dialog = dialogs_[Index(step.dialog)];
        const Face& face = faces_[Index(step.face)];
        switch (step.kind) {
        case SwitchStep::HideDialog:
            if (dialog) dialog->Hide();
            break;
        case SwitchStep::ShowDialog:
            if (dialog) dialog->Show();
            shown = dialog;
            break;
        case SwitchStep::HidePanel:
        case SwitchStep::ShowPanel:
            if (face.showPanel) face.showPanel(step.kind == SwitchStep::ShowPanel);
            break;
        case SwitchStep::SetChooserText:
            if (face.showChooserText) face.showChooserText(step.text);
            break;
        }
    }
    if (modal && shown != modal) {
        modal->SetDialogResult(IDCANCEL);  // as a close through the title bar
        if (shown) SetTimer(shown->Handle(), kBringForwardTimer, 0, &BringForward);
    }
}

}  // namespace orvik
