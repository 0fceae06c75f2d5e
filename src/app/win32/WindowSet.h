// The window set: six windows created in a fixed order at start-up, alive for
// the whole run, reached program-wide through one reference each.
#pragma once

namespace orvik {

class TMainForm;
class TPlayForm;
class TEncodeForm;
class TEncodeForm2;
class TEncodeForm3;
class TEncodeForm4;

extern TMainForm* MainForm;
extern TPlayForm* PlayForm;
extern TEncodeForm* EncodeForm;
extern TEncodeForm2* EncodeForm2;
extern TEncodeForm3* EncodeForm3;
extern TEncodeForm4* EncodeForm4;

// Creates the six windows in order: main, player, the four encoder dialogs.
void CreateWindowSet();
// Destroys them in reverse order, the main window last.
void DestroyWindowSet();

// hide-all: hides the six windows in creation order.
void HideAll();
// show-main: shows the main window and brings it to the front.
void ShowMain();
// terminate request: the message loop ends after the current message.
void TerminateRequest();

}  // namespace orvik
