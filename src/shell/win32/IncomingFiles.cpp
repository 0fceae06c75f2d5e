#include "shell/win32/IncomingFiles.h"

#include <shellapi.h>

#include <cstring>
#include <optional>
#include <string>

#include "app/win32/Application.h"
#include "controls/win32/OpenDialog.h"
#include "shell/HandOver.h"

namespace orvik {

namespace {
// The box names this many refused files at most, then only counts the rest.
constexpr std::size_t kListedRefusals = 12;

void Append(std::vector<wchar_t>& text, const wchar_t* part) { text.insert(text.end(), part, part + wcslen(part)); }

// A name as a whole path, zero-terminated; the name itself when the
// platform cannot make one.
std::vector<wchar_t> WholePath(const wchar_t* name) {
    std::vector<wchar_t> path(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(name, static_cast<DWORD>(path.size()), path.data(), nullptr);
    if (n >= path.size()) {
        path.assign(n + 1, L'\0');
        n = GetFullPathNameW(name, static_cast<DWORD>(path.size()), path.data(), nullptr);
    }
    if (n == 0 || n >= path.size()) {
        path.assign(name, name + wcslen(name));
        path.push_back(L'\0');
    }
    return path;
}

// Why a name is not added: nothing when it is an existing file.
const wchar_t* NotAFile(const wchar_t* path) {
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return L"  (not found)";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return L"  (a folder, not a file)";
    return nullptr;
}
}  // namespace

void AppendName(HandOverMessage& message, const wchar_t* name) {
    if (!name || !*name) return;
    const std::vector<wchar_t> path = WholePath(name);
    message.insert(message.end(), path.begin(), path.end());  // with its zero
}

HandOverMessage CommandLineFiles() {
    HandOverMessage message;
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return message;
    for (int i = 1; i < count; ++i) AppendName(message, args[i]);  // args[0] is the program
    LocalFree(args);
    return message;
}

HandOverMessage DroppedFiles(HDROP drop) {
    HandOverMessage message;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<wchar_t> name;
    for (UINT i = 0; i < count; ++i) {
        name.assign(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        if (DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())) > 0) AppendName(message, name.data());
    }
    return message;
}

void AddIncomingFiles(MediaList& list, const void* message, std::size_t bytes, HWND owner) {
    const std::optional<std::vector<NameSpan>> names = DecodeHandOver(message, bytes);
    if (!names) return;
    const auto* octets = static_cast<const unsigned char*>(message);
    std::vector<wchar_t> refused;
    std::size_t refusals = 0;
    std::vector<wchar_t> name;
    for (const NameSpan& span : *names) {
        name.assign(span.count + 1, L'\0');
        std::memcpy(name.data(), octets + 2 * span.first, 2 * span.count);
        const std::vector<wchar_t> path = WholePath(name.data());
        const wchar_t* reason = NotAFile(path.data());
        if (!reason) {
            if (const std::optional<std::string> ansi = AnsiPathOf(path.data())) {
                AddChosenFile(list, *ansi);
                continue;
            }
            reason = L"  (its name has characters that this program cannot pass on, and it has no short name)";
        }
        if (++refusals > kListedRefusals) continue;
        Append(refused, L"\n");
        Append(refused, path.data());
        Append(refused, reason);
    }
    if (refusals == 0) return;
    std::vector<wchar_t> text;
    Append(text, refusals == 1 ? L"This was not added to the list:\n" : L"These were not added to the list:\n");
    text.insert(text.end(), refused.begin(), refused.end());
    if (refusals > kListedRefusals) {
        Append(text, L"\n\nand ");
        wchar_t more[16];
        wsprintfW(more, L"%u", static_cast<unsigned>(refusals - kListedRefusals));
        Append(text, more);
        Append(text, L" more.");
    }
    text.push_back(L'\0');
    const std::string& title = Application::Instance().Title();
    std::vector<wchar_t> caption(title.size() + 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, title.c_str(), -1, caption.data(), static_cast<int>(caption.size()));
    MessageBoxW(owner, text.data(), caption.data(), MB_OK | MB_ICONWARNING);
}

}  // namespace orvik
