// The encoder dialog "Media Encoder - Lame MP3, Vorbis OGG": three faces in
// one window. The Lame face is the form's own controls; the OggEnc and OggDec
// panels cover the whole client area when shown.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/win32/Form.h"
#include "app/win32/Window.h"
#include "controls/win32/RxSwitch.h"
#include "controls/win32/SpeedButton.h"
#include "encoding/EncoderChooser.h"

namespace orvik {

// A standard control whose typed characters pass through a key filter.
class KeyPressFilter : public SubclassedControl {
public:
    std::function<void(char& key)> OnKeyPress;  // set key to 0 to discard it

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A group box that paints its inside in the form's colour: the form leaves
// the area of its child windows to them, and a plain group box draws only
// its frame and caption.
class FilledGroupBox : public SubclassedControl {
public:
    explicit FilledGroupBox(HBRUSH background) : background_(background) {}

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    HBRUSH background_;
};

// One face's controls: child windows and graphic controls of the form.
struct FacePanel {
    bool visible = false;
    std::vector<HWND> windows;
    std::vector<GraphicControl*> graphics;
};

class TEncodeForm : public Form {
public:
    TEncodeForm();
    ~TEncodeForm() override;

    bool OggEncVisible() const { return OggEnc.visible; }
    bool OggDecVisible() const { return OggDec.visible; }

    // Event handlers.
    void SpeedButton1Click();  // encode to MP3
    void SpeedButton2Click();  // browse for the Lame input
    void SpeedButton3Click();  // browse for the OggEnc input
    void SpeedButton4Click();  // encode to OGG
    void SpeedButton5Click();  // browse for the OggDec input
    void SpeedButton6Click();  // decode OGG to WAV
    void ComboBox1Click();
    void ComboBox2Click();
    void ComboBox3Click();
    void ComboBox1KeyPress(char& key);
    void Label4Click();

    // The switches of the dialog.
    TRxSwitch RxSwitch1, RxSwitch2, RxSwitch3;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    void CreateLameFace();
    void CreateOggEncPanel();
    void CreateOggDecPanel();
    HWND AddGroupBox(FacePanel& face, const char* caption, int x, int y, int w, int h);
    HWND AddCombo(FacePanel& face, UINT_PTR id, int x, int y, int w, const std::vector<std::string>& items,
                  const char* text);
    HWND AddEdit(FacePanel& face, UINT_PTR id, int x, int y, int w, const char* text);
    void AddSwitch(FacePanel& face, TRxSwitch& sw, UINT_PTR id, int x, int y, const char* caption, bool on);
    void AddLabel(FacePanel& face, TextLabel& label, int x, int y, const char* caption);
    void AddButton(FacePanel& face, SpeedButton& button, int x, int y, int w, int h, const char* caption,
                   std::function<void()> onClick);
    void SetPanelVisible(FacePanel& panel, bool visible);
    void UpdateFaces();
    void RunChooser(int index);
    void Browse(HWND edit, const char* filter);

    FacePanel Lame, OggEnc, OggDec;
    Brush background_;
    std::vector<std::unique_ptr<FilledGroupBox>> groupBoxes_;
    Font boldFont_;
    Brush fieldBrush_;  // edits and combo boxes
    Bitmap folderGlyph_;

    HWND ComboBox1 = nullptr, Edit1 = nullptr, FileEdit1 = nullptr, Edit2 = nullptr;
    HWND ComboBox2 = nullptr, BitBox = nullptr, LevelBox = nullptr, FileEdit2 = nullptr;
    HWND ComboBox3 = nullptr, FileEdit3 = nullptr;
    KeyPressFilter comboBox1Keys_, comboBox2Keys_;
    TextLabel Label1, Label2, Label3, Label4;
    SpeedButton SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6;
    HWND lastFocus_ = nullptr;
};

}  // namespace orvik
