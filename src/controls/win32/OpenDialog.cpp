#include "controls/win32/OpenDialog.h"

#include <commdlg.h>

#include <vector>

#include "controls/FileFilter.h"

namespace orvik {

bool RunOpenDialog(HWND owner, const OpenDialogOptions& options, std::string& path) {
    const std::string filter = PlatformFilter(options.filter);
    std::vector<char> file(MAX_PATH * 4, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(options.filterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (options.hideReadOnly) ofn.Flags |= OFN_HIDEREADONLY;
    if (options.resizable) ofn.Flags |= OFN_ENABLESIZING;
    if (options.fileMustExist) ofn.Flags |= OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&ofn)) return false;
    path = file.data();
    return true;
}

}  // namespace orvik
