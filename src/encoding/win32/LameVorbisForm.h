// The encoder dialog "Media Encoder - Lame MP3, Vorbis OGG" (class
// "TEncodeForm"): three faces in one window. The Lame face is the form's own
// controls; the Vorbis encoder and decoder panels cover the whole client
// area when shown.
#pragma once
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/Form.h"
#include "controls/win32/ComboBox.h"
#include "controls/win32/GroupBox.h"
#include "controls/win32/SpeedButton.h"
#include "controls/win32/Switch.h"
#include "controls/win32/TextLabel.h"
#include "encoding/EncoderChooser.h"
#include "encoding/win32/EncoderForm.h"
#include "encoding/win32/FaceSwitcher.h"

namespace orvik {

// The window is made at once; the three faces' controls when it is first
// shown (before it appears) or first needs them.
class LameVorbisForm : public DialogForm {
public:
    LameVorbisForm();
    ~LameVorbisForm() override;

    // The switcher that the three choosers run, and the WMA dialog, which
    // the decoder face's input label shows modally.
    void Connect(FaceSwitcher& switcher, Form& wmaDialog);

    bool FaceVisible(EncodeFace face) const { return faces_[Index(face)].visible; }
    // Shows or hides the Vorbis encoder or decoder panel.
    void ShowPanel(EncodeFace panel, bool visible);

    // What the buttons and choosers do.
    void EncodeMp3();
    void EncodeOgg();
    void DecodeOgg();
    void BrowseLame();
    void BrowseOggEnc();
    void BrowseOggDec();

private:
    // The three faces' controls.
    void BuildControls() override;
    GraphicControl* DefaultButton() override;
    // One face: its chooser and its controls (child windows and graphic
    // controls of the form).
    struct Face {
        bool visible = false;
        ComboBox chooser;
        std::string pendingChooserText;  // set before the controls were made
        std::vector<HWND> windows;
        std::vector<GraphicControl*> graphics;
    };
    static size_t Index(EncodeFace face) { return static_cast<size_t>(face); }
    Face& FaceOf(EncodeFace face) { return faces_[Index(face)]; }

    void CreateLameFace();
    void CreateOggEncFace();
    void CreateOggDecFace();
    void ShowChooserText(EncodeFace face, const std::string& text);
    struct GroupBoxSpec {
        const char* caption;
        IntRect place;
    };
    // A face's group boxes, made after its controls: a new child window
    // goes below its siblings, so they lie behind the controls they frame.
    void AddGroupBoxes(Face& face, std::initializer_list<GroupBoxSpec> boxes);
    HWND AddCombo(Face& face, UINT_PTR id, int x, int y, int w, const std::vector<std::string>& items,
                  const char* text, ComboBox& combo);
    HWND AddEdit(Face& face, UINT_PTR id, int x, int y, int w, const char* text);
    void AddSwitch(Face& face, Switch& sw, UINT_PTR id, int x, int y, const char* caption, bool on);
    void AddLabel(Face& face, TextLabel& label, int x, int y, const char* caption);
    void AddButton(Face& face, SpeedButton& button, int x, int y, int w, int h, const char* caption,
                   void (LameVorbisForm::*action)());
    void UpdateFaces();

    Face faces_[3];  // by EncodeFace: Lame, OggEnc, OggDec
    std::vector<std::unique_ptr<GroupBox>> groupBoxes_;
    Form* wmaDialog_ = nullptr;

    // Lame face
    ComboBox lameBitRate_;
    Switch lameHighQuality_, lameMono_;
    HWND lameInput_ = nullptr, lameOutput_ = nullptr;
    TextLabel lameInputLabel_, lameOutputLabel_;
    SpeedButton lameBrowseButton_, encodeMp3Button_;
    // Vorbis encoder face
    ComboBox oggEncBitRate_, oggEncQuality_;
    Switch oggEncManaged_;
    HWND oggEncInput_ = nullptr;
    TextLabel oggEncInputLabel_;
    SpeedButton oggEncBrowseButton_, encodeOggButton_;
    // Vorbis decoder face
    HWND oggDecInput_ = nullptr;
    TextLabel oggDecInputLabel_;
    SpeedButton oggDecBrowseButton_, decodeOggButton_;
};

}  // namespace orvik
