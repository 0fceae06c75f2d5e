#include "shell/win32/IncomingFiles.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/win32/Application.h"
#include "app/win32/Owned.h"
#include "app/win32/WideText.h"
#include "controls/win32/OpenDialog.h"
#include "shell/FormStorage.h"

namespace orvik {

namespace {
static_assert(sizeof(wchar_t) == sizeof(char16_t), "a wide character is one UTF-16 unit");

const wchar_t* Wide(const FileName& name) { return reinterpret_cast<const wchar_t*>(name.c_str()); }
FileName NameOf(const wchar_t* text, std::size_t units) {
    return FileName(reinterpret_cast<const char16_t*>(text), units);
}

// A name as a whole path: exactly the characters the platform returns; the
// name itself when it cannot make one.
FileName WholePath(const FileName& name) {
    std::vector<wchar_t> path(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(Wide(name), static_cast<DWORD>(path.size()), path.data(), nullptr);
    if (n >= path.size()) {
        path.assign(n + 1, L'\0');
        n = GetFullPathNameW(Wide(name), static_cast<DWORD>(path.size()), path.data(), nullptr);
    }
    if (n == 0 || n >= path.size()) return name;
    return NameOf(path.data(), n);
}

// Why a file is not added; nothing when it is, and then `entry` is what the
// list keeps. `path` becomes the name as the box shows it.
std::optional<Refusal> Examine(const FileName& name, FileName& path, std::string& entry) {
    path = WholePath(name);
    // "\\?\C:\a.wav" is "C:\a.wav", made whole again ("\\?\C:\x\..\a.wav"),
    // and checked again ("\\?\C:\CON" is the device CON).
    for (int pass = 0; pass < 2; ++pass) {
        if (path.size() > kMaxNameUnits) return Refusal::TooLong;
        const std::optional<FileName> plain = PlainPath(path);
        if (!plain) return Refusal::Device;
        if (*plain == path) break;
        path = WholePath(*plain);
    }
    const DWORD attributes = GetFileAttributesW(Wide(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) return Refusal::NotFound;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Refusal::Folder;
    std::optional<std::string> ansi = AnsiPathOf(Wide(path));
    if (!ansi) return Refusal::NoPassableName;
    entry = std::move(*ansi);
    return std::nullopt;
}
}  // namespace

FileNames CommandLineFiles() {
    FileNames names;
    int count = 0;
    const LocalMemory<LPWSTR> args(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!args.Get()) return names;
    for (int i = 1; i < count; ++i) {  // the first is the program
        const LPWSTR arg = args.Get()[i];
        if (*arg) names.push_back(WholePath(NameOf(arg, wcslen(arg))));
    }
    return names;
}

FileNames DroppedFiles(HDROP drop) {
    // Read from the drop's own block (a DROPFILES header, then the names,
    // each ended by a zero, an empty one last): DragQueryFile walks the
    // names from the first at every call, which for 10,000 files took seconds.
    FileNames names;
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(drop));
    if (!header) return names;
    const SIZE_T size = GlobalSize(drop);
    if (size >= sizeof(DROPFILES) && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
        const char* at = reinterpret_cast<const char*>(header) + header->pFiles;
        const char* const end = reinterpret_cast<const char*>(header) + size;
        while (at < end) {
            FileName name;
            if (header->fWide) {
                for (char16_t unit = 0; end - at >= 2; at += 2) {
                    std::memcpy(&unit, at, 2);
                    if (unit == 0) break;
                    name.push_back(unit);
                }
                at += 2;
            } else {
                const char* const start = at;
                while (at < end && *at) ++at;
                const WideText wide = Widen(std::string(start, at));
                name = NameOf(wide.data(), wcslen(wide.data()));
                ++at;
            }
            if (name.empty()) break;
            names.push_back(std::move(name));
        }
    }
    GlobalUnlock(drop);
    return names;
}

void AddIncomingFiles(MediaList& list, const FileNames& names) {
    NotAddedReport report;
    std::vector<std::string> entries;
    FileName path;
    std::string entry;
    for (const FileName& name : names) {
        if (const std::optional<Refusal> why = Examine(name, path, entry))
            report.Refuse(path, *why);
        else
            entries.push_back(std::move(entry));
    }
    if (!entries.empty()) {
        const int count = list.Count();
        const std::size_t room = count < kMaxListEntries ? static_cast<std::size_t>(kMaxListEntries - count) : 0;
        if (entries.size() > room) {
            report.ListFull(entries.size() - room, kMaxListEntries);
            entries.resize(room);
        }
    }
    if (!entries.empty()) {
        list.AppendAll(entries);
        list.SetSelectedIndex(0);
    }
    ShowNotAdded(report);
}

void ShowNotAdded(const NotAddedReport& report) {
    if (report.Empty()) return;
    Application::Instance().ShowWarning(Wide(report.Text()));
}

}  // namespace orvik
