// The media list store on the real registry, read back by the platform's own
// "reg" tool as a second reader.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>

#include <map>
#include <string>
#include <vector>

#include "RegistryReset.h"
#include "app/win32/Application.h"
#include "platform/win32/RegistryKeyStore.h"
#include "shell/FormStorage.h"

using namespace orvik;
using Entries = std::vector<std::string>;

namespace {
const char* const kKey = "Software\\OrvikStoreTest";

// What the test programs' own window set stores under their executable's
// name goes when the run ends, so that later test programs start clean.
class RemoveStoredKeys : public testing::Environment {
public:
    void TearDown() override {
        const std::string own = StoreKeyPath(Application::Instance().ExePath());
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) DeleteKeyTree(root, own);
    }
};
testing::Environment* const removeStoredKeys = testing::AddGlobalTestEnvironment(new RemoveStoredKeys);

// Runs a console program of the prefix and returns what it printed.
std::string RunTool(const std::string& commandLine) {
    char folder[MAX_PATH] = {}, file[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "reg", 0, file);
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE out = CreateFileA(file, GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out;
    PROCESS_INFORMATION pi{};
    std::string cmd = commandLine;
    std::string text;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(out);
    HANDLE in = CreateFileA(file, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (in != INVALID_HANDLE_VALUE && ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got)
        text.append(buffer, got);
    if (in != INVALID_HANDLE_VALUE) CloseHandle(in);
    DeleteFileA(file);
    return text;
}

// "reg query" lines of one key: name, type, data.
struct RegLine {
    std::string name, type, data;
};
std::vector<RegLine> RegQuery(const std::string& key) {
    std::vector<RegLine> lines;
    const std::string text = RunTool("reg query \"" + key + "\"");
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("    ", 0) != 0) continue;  // value lines are indented
        const size_t t = line.find("    REG_", 4);
        if (t == std::string::npos) continue;
        RegLine l;
        l.name = line.substr(4, t - 4);
        const size_t d = line.find("    ", t + 4);
        l.type = line.substr(t + 4, d == std::string::npos ? std::string::npos : d - t - 4);
        if (d != std::string::npos) l.data = line.substr(d + 4);
        lines.push_back(l);
    }
    return lines;
}

class RegistryStore : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() { ResetStoreKey(kKey); }
    static void SetRaw(const std::string& sub, const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\" + sub).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    static void SetText(const std::string& sub, const char* name, const std::string& text, bool withZero = true) {
        SetRaw(sub, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + (withZero ? 1 : 0)));
    }
    static bool KeyExists(HKEY root, const std::string& path) {
        HKEY key;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }

    RegistryKeyStore registry;
    MemoryMediaList list;
    std::vector<std::string> errors;
    FormStorage Storage(MediaList& target) {
        FormStorage s(registry, target, kKey);
        s.onError = [this](const std::exception& e) { errors.push_back(e.what()); };
        return s;
    }
    Entries Restored() {
        MemoryMediaList fresh;
        FormStorage reader = Storage(fresh);
        reader.Restore();
        return fresh.All();
    }
};

// Every character a Windows path may hold, in entries of the shapes a user
// has. The program runs in UTF-8, so its texts are UTF-8.
Entries PathLikeEntries() {
    std::string ascii;
    for (int c = 0x20; c < 0x7F; ++c)
        if (std::string("<>\"/|?*").find(static_cast<char>(c)) == std::string::npos) ascii += static_cast<char>(c);
    std::string high;  // U+00A0 to U+00FF
    for (int c = 0xA0; c <= 0xFF; ++c) high += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    // Greek, Japanese and an emoji
    high += " \xCE\x95\xCE\xBB \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB5";
    std::string japanese;  // 12,000 characters: 36,000 bytes of UTF-8
    for (int i = 0; i < 12000; ++i) japanese += "\xE6\x97\xA5";
    return {"C:\\Music\\" + ascii + ".wav",
            "  D:\\leading and trailing blanks.mp3  ",
            "\\\\server\\share\\" + high + ".wma",
            "",
            "C:\\" + std::string(2000, 'L') + ".mid",
            "C:\\" + japanese + ".wav",
            "C:\\Music\\a.wav"};
}
}  // namespace

TEST_F(RegistryStore, ASaveAndARestoreRoundTripEveryPathCharacter) {
    const Entries entries = PathLikeEntries();
    list.ReplaceAll(entries);
    FormStorage storage = Storage(list);
    storage.Restore();  // nothing stored yet: the list stays
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kKey));  // reading creates nothing there
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));
    storage.Save();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Restored(), entries);

    // Every value is text whose data ends in one terminating zero.
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kKey) + "\\TMainForm.ListBox1_Items").c_str(), 0,
                            KEY_READ, &key),
              ERROR_SUCCESS);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string name = "Item" + std::to_string(i);
        DWORD type = 0, size = 0;
        ASSERT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
        std::vector<char> data(size + 8, 'x');
        size = static_cast<DWORD>(data.size());
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(size, entries[i].size() + 1) << name;
        EXPECT_EQ(data[size - 1], '\0') << name;
    }
    RegCloseKey(key);
}

TEST_F(RegistryStore, TheLayoutReadBackByTheRegTool) {
    list.ReplaceAll({"C:\\Music\\a b.wav", "D:\\x;y,z&(1)'!.mp3"});
    FormStorage storage = Storage(list);
    storage.Restore();
    for (int i = 0; i < 9; ++i) list.Append("C:\\n" + std::to_string(i) + ".wav");
    storage.Save();

    const std::string hklm = std::string("HKLM\\") + kKey;
    const std::vector<RegLine> form = RegQuery(hklm + "\\TMainForm");
    ASSERT_EQ(form.size(), 1u);
    EXPECT_EQ(form[0].name, "FormVersion");
    EXPECT_EQ(form[0].type, "REG_SZ");
    EXPECT_EQ(form[0].data, "0");

    std::vector<RegLine> items = RegQuery(hklm + "\\TMainForm.ListBox1_Items");
    ASSERT_EQ(items.size(), 12u);
    std::map<std::string, RegLine> byName;
    for (const RegLine& l : items) {
        EXPECT_EQ(l.type, "REG_SZ") << l.name;
        byName[l.name] = l;
    }
    EXPECT_EQ(byName["Count"].data, "11");
    EXPECT_EQ(byName["Item0"].data, "C:\\Music\\a b.wav");
    EXPECT_EQ(byName["Item1"].data, "D:\\x;y,z&(1)'!.mp3");
    EXPECT_EQ(byName["Item10"].data, "C:\\n8.wav");
    // Nothing else under the store key; the user's root holds it empty.
    const std::string all = RunTool("reg query \"" + hklm + "\" /s");
    EXPECT_EQ(all.find("ListBox1_Items.new"), std::string::npos) << all;
    EXPECT_TRUE(RegQuery(std::string("HKCU\\") + kKey).empty());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kKey));

    // An empty list: the list subkey goes, the version stays.
    list.ReplaceAll({});
    storage.Save();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\TMainForm.ListBox1_Items"));
    EXPECT_EQ(RegQuery(hklm + "\\TMainForm").size(), 1u);
}

TEST_F(RegistryStore, ASaveRenamesTheStagingCopyIntoPlace) {
    // The rename itself: the subkey goes over whole, and an existing name is refused.
    SetText("From\\child", "x", "1");
    SetText("From", "Count", "2");
    SetText("Taken", "Count", "9");
    std::unique_ptr<StoreKey> key = registry.OpenForWriting(KeyRoot::LocalMachine, kKey);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->RenameSubKey("From", "Taken"));
    EXPECT_FALSE(key->RenameSubKey("Missing", "Other"));
    ASSERT_TRUE(key->RenameSubKey("From", "To"));
    const std::string base = std::string(kKey) + "\\";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, base + "From"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, base + "To\\child"));
    const std::vector<RegLine> moved = RegQuery("HKLM\\" + base + "To");
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].data, "2");
    EXPECT_EQ(RegQuery("HKLM\\" + base + "Taken")[0].data, "9");

    // A save over a stored list: it reads back, and no staging copy stays.
    list.ReplaceAll({"C:\\old.wav"});
    FormStorage storage = Storage(list);
    storage.Restore();
    storage.Save();
    list.ReplaceAll({"C:\\a.wav", "C:\\b.wav"});
    storage.Save();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Restored(), (Entries{"C:\\a.wav", "C:\\b.wav"}));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, base + "TMainForm.ListBox1_Items.new"));
    EXPECT_EQ(RegQuery("HKLM\\" + base + "TMainForm.ListBox1_Items").size(), 3u);
}

TEST_F(RegistryStore, ReadsWhatOtherWritersLeftDefensively) {
    const std::string items = "TMainForm.ListBox1_Items";
    SetText(items, "Count", " 3 ", false);     // blanks, no terminating zero
    SetText(items, "Item0", "C:\\a.wav", false);
    SetRaw(items, "Item1", REG_EXPAND_SZ, "%TEMP%\\b.wav", 13);
    // Item2 missing: an empty entry.
    // A subkey inside the list subkey: a save still replaces the whole tree.
    SetText(items + "\\stray", "x", "y");
    EXPECT_EQ(Restored(), (Entries{"C:\\a.wav", "%TEMP%\\b.wav", ""}));

    const DWORD number = 1;
    SetRaw(items, "Item1", REG_DWORD, &number, sizeof number);
    EXPECT_EQ(Restored(), Entries{});  // a list that cannot be read changes nothing
    SetText(items, "Item1", std::string(40000, 'x'));
    EXPECT_EQ(Restored(), Entries{});
    EXPECT_TRUE(errors.empty());

    // A list that cannot be read stays as it was through the save at exit.
    FormStorage unread = Storage(list);
    unread.Sync(StoreMoment::Shown);
    unread.Sync(StoreMoment::Destroyed);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\" + items + "\\stray"));
    SetText(items, "Item1", "C:\\b.wav");
    EXPECT_EQ(Restored(), (Entries{"C:\\a.wav", "C:\\b.wav", ""}));

    // A version that is not text: the error box, the list as if "0"; the save after an edit mends it.
    SetRaw("TMainForm", "FormVersion", REG_DWORD, &number, sizeof number);
    FormStorage storage = Storage(list);
    storage.Sync(StoreMoment::Shown);
    EXPECT_EQ(errors, Entries{"Invalid data type for 'FormVersion'"});
    EXPECT_EQ(list.All(), (Entries{"C:\\a.wav", "C:\\b.wav", ""}));
    list.Append("C:\\c.wav");
    storage.Sync(StoreMoment::Destroyed);
    errors.clear();
    EXPECT_EQ(Restored(), (Entries{"C:\\a.wav", "C:\\b.wav", "", "C:\\c.wav"}));
    EXPECT_TRUE(errors.empty());  // the version mended
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\" + items + "\\stray"));
}

TEST_F(RegistryStore, WithoutWriteRightsTheSaveReportsTheFirstKeyAndLeavesTheListAlone) {
    list.ReplaceAll({"C:\\kept.wav"});
    FormStorage storage = Storage(list);
    storage.Restore();
    storage.Save();
    ASSERT_TRUE(DenyStoreWrites(kKey));

    storage.Restore();
    list.Append("C:\\new.wav");
    storage.Sync(StoreMoment::CloseAllowed);
    EXPECT_EQ(errors, Entries{"Failed to create key TMainForm"});
    EXPECT_FALSE(storage.Saved());
    EXPECT_EQ(Restored(), Entries{"C:\\kept.wav"});
}

TEST_F(RegistryStore, ASaveRemovesALinkedListSubkeyAndNotTheKeyItLinksTo) {
    const std::string target = "Software\\OrvikStoreLinkTarget";
    const std::string listKey = std::string(kKey) + "\\TMainForm.ListBox1_Items";
    struct Cleanup {
        const std::string &link, &target;
        ~Cleanup() {
            DeleteKeyTree(HKEY_LOCAL_MACHINE, link);
            SHDeleteKeyA(HKEY_LOCAL_MACHINE, target.c_str());
        }
    } cleanup{listKey, target};
    HKEY key;
    for (const char* sub : {"", "\\child"}) {
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (target + sub).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, "Count", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
        RegSetValueExA(key, "Item0", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\linked.wav"), 14);
        RegCloseKey(key);
    }
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, listKey.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                              KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring linkTo = L"\\Registry\\Machine\\Software\\OrvikStoreLinkTarget";
    RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(linkTo.c_str()),
                   static_cast<DWORD>(linkTo.size() * sizeof(wchar_t)));
    RegCloseKey(key);

    FormStorage storage = Storage(list);
    storage.Restore();
    ASSERT_EQ(list.All(), Entries{"C:\\linked.wav"});  // read through the link
    list.Append("C:\\new.wav");
    storage.Save();
    EXPECT_TRUE(errors.empty());

    // The key linked to is whole; the list subkey is a key of its own now.
    for (const std::string& kept : {target, target + "\\child"}) {
        const std::vector<RegLine> values = RegQuery("HKLM\\" + kept);
        ASSERT_EQ(values.size(), 2u) << kept;
        EXPECT_EQ(values[1].data, "C:\\linked.wav") << kept;
    }
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, listKey.c_str(), REG_OPTION_OPEN_LINK, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(RegQueryValueExA(key, "SymbolicLinkValue", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(Restored(), (Entries{"C:\\linked.wav", "C:\\new.wav"}));
}
