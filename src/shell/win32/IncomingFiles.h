// Files that come in from Explorer: a start's command line ("Open with", a
// drop on the program's icon), a later start's hand-over, a drop onto the
// main window. All of them arrive as a hand-over message (shell/HandOver.h).
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstddef>
#include <vector>

#include "controls/MediaList.h"

namespace orvik {

// The message: each name as a whole path, ended by a zero.
using HandOverMessage = std::vector<wchar_t>;

// Appends one name to a message, made a whole path against the current
// folder (a relative name on a command line means the folder the start was
// made in).
void AppendName(HandOverMessage& message, const wchar_t* name);
// The files named on this process's command line.
HandOverMessage CommandLineFiles();
// The files of a drop, in the order given.
HandOverMessage DroppedFiles(HDROP drop);

// Appends the message's files to the list in order, as the open dialog adds
// a chosen file (entry 0 selected; a name the ANSI code page cannot hold by
// its short name). What is not an existing file, or has no name the program
// can pass on, is not added: one box over `owner` lists it. A malformed
// message adds nothing.
void AddIncomingFiles(MediaList& list, const void* message, std::size_t bytes, HWND owner);

}  // namespace orvik
