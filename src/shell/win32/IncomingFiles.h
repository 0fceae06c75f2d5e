// Files that come in from Explorer: a start's command line ("Open with", a
// drop on the program's icon), a later start's hand-over, a drop onto the
// main window. All of them arrive as a list of names (shell/HandOver.h).
#pragma once
#include <windows.h>
#include <shellapi.h>

#include "controls/MediaList.h"
#include "shell/HandOver.h"
#include "shell/IncomingNames.h"

namespace orvik {

// The files named on this process's command line, each made a whole path
// against the current folder (a relative name on a command line means the
// folder the start was made in).
FileNames CommandLineFiles();
// The files of a drop, in the order given.
FileNames DroppedFiles(HDROP drop);

// Appends the files to the list in order, in one go, as the open dialog adds
// a chosen file (entry 0 selected; a name the ANSI code page cannot hold by
// its short name), each by its plain whole path. What is not an existing
// file (a folder, a device, a name too long), has no name the program can
// pass on, or finds the list full is not added: one warning box lists it.
void AddIncomingFiles(MediaList& list, const FileNames& names);

// The warning box with the report's text, unless it is empty.
void ShowNotAdded(const NotAddedReport& report);

}  // namespace orvik
