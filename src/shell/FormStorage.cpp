#include "shell/FormStorage.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "app/AppText.h"
#include "app/Exception.h"

namespace orvik {

namespace {
const char* const kFormVersion = "FormVersion";
const char* const kCount = "Count";
// The one stored property, "ListBox1.Items", names the list's section.
const char* const kStoredProp = "ListBox1.Items";

std::string ItemName(std::size_t index) { return "Item" + std::to_string(index); }

void WriteValue(StoreKey& key, const std::string& name, const std::string& text) {
    if (!key.WriteText(name, text)) throw Exception("Failed to set data for '" + name + "'");
}

// What each moment does: restore, or save once the list was restored.
struct MomentRule {
    StoreMoment moment;
    bool restores;
    bool unlessSaved;  // a save only when none since the last restore
};
constexpr MomentRule kMomentRules[] = {
    {StoreMoment::Shown, true, false},
    {StoreMoment::CloseAllowed, false, false},
    {StoreMoment::SessionEnd, false, true},
    {StoreMoment::Destroyed, false, true},
};
}  // namespace

std::string StoreKeyPath(const std::string& exePath) {
    std::string name = ExtractFileName(exePath);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    return "Software\\" + name;
}

std::string TrimBlanks(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

bool ParseInteger(const std::string& text, int& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    long long n = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        n = n * 10 + (text[i] - '0');
        if (n > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) n = -n;
    if (n > INT_MAX || n < INT_MIN) return false;
    value = static_cast<int>(n);
    return true;
}

FormStorage::FormStorage(KeyStore& store, MediaList& list, std::string storeKey, std::string section)
    : store_(store), list_(list), storeKey_(std::move(storeKey)), section_(std::move(section)) {}

std::string FormStorage::ListSection() const {
    std::string prop = kStoredProp;
    for (char& c : prop)
        if (c == '.') c = '_';
    return section_ + "." + prop;
}

std::string FormStorage::StagingSection() const { return ListSection() + ".new"; }

void FormStorage::Report(void (FormStorage::*operation)()) {
    try {
        (this->*operation)();
    } catch (const std::exception& e) {
        if (!onError) throw;
        onError(e);
    }
}

void FormStorage::Sync(StoreMoment moment) {
    for (const MomentRule& rule : kMomentRules) {
        if (rule.moment != moment) continue;
        if (rule.restores)
            Report(&FormStorage::Restore);
        else if (restored_ && !(rule.unlessSaved && saved_))
            Report(&FormStorage::SaveChanges);
    }
}

// A list subkey being read: its count, and the entries read so far.
struct FormStorage::ListRead {
    ListRead(StoreKey& listKey, bool isStaging) : key(listKey), staging(isStaging) {}
    StoreKey& key;
    bool staging;
    std::size_t count = 0;
    std::size_t total = 0;  // text of the entries read
    std::vector<std::string> entries;
};

// A restore still reading the list: the staging copy first where there is
// one, then the list subkey.
struct FormStorage::PendingRestore {
    std::unique_ptr<StoreKey> storeKey;
    bool stagingTried = false, listTried = false;
    bool unreadList = false;  // a list subkey is there, but not a list that can be read
    std::unique_ptr<StoreKey> listKey;
    std::unique_ptr<ListRead> read;
    // Shown as it is read, while the media list is as the store last had
    // it; else read whole and then put in place.
    bool progressive = false;
    std::size_t shown = 0;
};

FormStorage::~FormStorage() = default;
FormStorage::FormStorage(FormStorage&&) noexcept = default;

void FormStorage::Restore() {
    FinishRestore();
    const std::optional<Exception> error = RestoreFromStore();
    if (!error) return;
    if (!onError) throw *error;
    onError(*error);
}

std::optional<Exception> FormStorage::RestoreFromStore() {
    saved_ = false;
    if (!synced_) synced_ = list_.All();  // nothing edited before the first restore
    struct MarkRestored {
        bool& mark;
        ~MarkRestored() { mark = true; }
    } markRestored{restored_};

    store_.OpenForWriting(KeyRoot::CurrentUser, storeKey_);
    std::unique_ptr<StoreKey> key = store_.OpenForReading(KeyRoot::LocalMachine, storeKey_);
    if (!key) return std::nullopt;

    std::optional<Exception> error;
    int stored = 0;
    if (std::unique_ptr<StoreKey> form = key->OpenSubKey(section_)) {
        std::string text;
        switch (form->ReadText(kFormVersion, text, limits.maxNumberLength)) {
        case ReadStatus::Ok:
            if (!ParseInteger(text, stored)) stored = 0;
            break;
        case ReadStatus::WrongType:
            // Reported, and read as the 0 that every save writes: the user
            // keeps the list, and the next save mends the version.
            error = Exception(std::string("Invalid data type for '") + kFormVersion + "'");
            break;
        default:
            break;
        }
    }
    if (stored < version) return error;
    pending_ = std::make_unique<PendingRestore>();
    pending_->storeKey = std::move(key);
    pending_->progressive = restoreBatch > 0 && list_.All() == *synced_;
    Advance(pending_->progressive ? restoreBatch : SIZE_MAX);
    return error;
}

bool FormStorage::ContinueRestore(std::size_t entries) { return pending_ && !Advance(entries > 0 ? entries : 1); }

void FormStorage::FinishRestore() {
    if (pending_) Advance(SIZE_MAX);
}

bool FormStorage::Advance(std::size_t entries) {
    PendingRestore& p = *pending_;
    try {
        while (p.read || OpenNextList(p)) {
            ListRead& read = *p.read;
            const std::size_t before = read.entries.size();
            const ReadStep step = ReadEntries(read, entries);
            if (step == ReadStep::Failed) {
                if (!read.staging) return EndRestore(true);
                p.read.reset();  // the list subkey is next
                Unshow();
                continue;
            }
            if (p.progressive) {
                if (p.shown == 0)
                    list_.ReplaceAll(read.entries);
                else
                    list_.AppendAll(std::vector<std::string>(read.entries.begin() + static_cast<std::ptrdiff_t>(before),
                                                             read.entries.end()));
                p.shown = read.entries.size();
            }
            if (step == ReadStep::More) return false;
            if (!p.progressive) {
                if (list_.All() != *synced_) return EndRestore(false);  // edited since: the user's entries win
                list_.ReplaceAll(read.entries);
            }
            synced_ = list_.All();
            return EndRestore(false);
        }
        return EndRestore(p.unreadList);
    } catch (const std::exception&) {
        // A list that cannot be read leaves the media list as it is.
        return EndRestore(true);
    }
}

bool FormStorage::OpenNextList(PendingRestore& p) const {
    while (!p.listTried) {
        // A complete staging copy is left only by a save that could not
        // finish replacing the list: it is the newest list.
        const bool staging = !p.stagingTried;
        (staging ? p.stagingTried : p.listTried) = true;
        p.listKey = p.storeKey->OpenSubKey(staging ? StagingSection() : ListSection());
        if (!p.listKey) continue;  // none stored
        p.read = std::make_unique<ListRead>(*p.listKey, staging);
        if (BeginList(*p.read)) return true;
        p.read.reset();
        p.unreadList = !staging;
    }
    return false;
}

void FormStorage::Unshow() {
    if (pending_->shown > 0) list_.ReplaceAll(*synced_);
    pending_->shown = 0;
}

bool FormStorage::EndRestore(bool unread) {
    if (unread) Unshow();
    pending_.reset();
    return true;
}

bool FormStorage::BeginList(ListRead& read) const {
    std::string text;
    switch (read.key.ReadText(kCount, text, limits.maxNumberLength)) {
    case ReadStatus::Ok: break;
    case ReadStatus::Missing: text = "0"; break;
    default: return false;
    }
    int count = 0;
    if (read.staging) {
        if (!ParseInteger(text, count) || text != std::to_string(count) || count > limits.maxEntries) return false;
    } else if (!ParseInteger(TrimBlanks(text), count)) {
        return false;
    }
    if (count <= 0) return false;
    if (count > limits.maxEntries) count = limits.maxEntries;
    read.count = static_cast<std::size_t>(count);
    read.entries.reserve(read.count);
    return true;
}

FormStorage::ReadStep FormStorage::ReadEntries(ListRead& read, std::size_t entries) const {
    for (; entries > 0 && read.entries.size() < read.count; --entries) {
        std::string entry;
        switch (read.key.ReadText(ItemName(read.entries.size()), entry, limits.maxEntryLength)) {
        case ReadStatus::Ok: break;
        case ReadStatus::Missing:
            if (read.staging) return ReadStep::Failed;  // an unfinished copy
            entry.clear();                              // an empty entry
            break;
        default: return ReadStep::Failed;
        }
        read.total += Utf16Length(entry);  // characters, as the platform counts them
        if (read.total > limits.maxListText) return ReadStep::Failed;
        read.entries.push_back(std::move(entry));
    }
    return read.entries.size() < read.count ? ReadStep::More : ReadStep::Done;
}

std::optional<std::vector<std::string>> FormStorage::ReadList(StoreKey& listKey, bool staging) const {
    ListRead read(listKey, staging);
    if (!BeginList(read) || ReadEntries(read, SIZE_MAX) != ReadStep::Done) return std::nullopt;
    return std::move(read.entries);
}

void FormStorage::Save() {
    FinishRestore();
    store_.OpenForWriting(KeyRoot::CurrentUser, storeKey_);
    std::unique_ptr<StoreKey> key = store_.OpenForWriting(KeyRoot::LocalMachine, storeKey_);
    std::unique_ptr<StoreKey> form = key ? key->CreateSubKey(section_) : nullptr;
    if (!form) throw Exception("Failed to create key " + section_);

    const std::vector<std::string> entries = list_.All();
    const std::string versionText = std::to_string(version);

    // A complete staging copy is the newest list a failed save left: it goes
    // only once another list is complete. Anything else there is a leftover.
    const std::string listSection = ListSection(), staging = StagingSection();
    std::unique_ptr<StoreKey> stagingKey = key->OpenSubKey(staging);
    const bool stagedList = stagingKey && ReadList(*stagingKey, true);
    stagingKey.reset();
    // Only a staging subkey this save makes itself may take the list's name.
    const bool stagingFresh = !stagedList && key->DeleteSubKey(staging);
    if (stagedList) {
        // The list subkey is the scratch copy now, its count written last.
        key->DeleteSubKey(listSection);
        if (!entries.empty()) WriteList(*key, listSection, entries, false);
        key->DeleteSubKey(staging);
    } else {
        // The new list is written whole beside the stored one before that
        // one goes, so a save that fails leaves the stored list readable.
        if (!entries.empty()) {
            try {
                WriteList(*key, staging, entries, false);
            } catch (...) {
                key->DeleteSubKey(staging);
                throw;
            }
        }
        key->DeleteSubKey(listSection);
        // The complete copy takes the list's name in one step. Where the
        // store cannot rename it, the list is written again; should that
        // fail, the staging copy stays and a restore reads it.
        const bool renamed = stagingFresh && !entries.empty() && key->RenameSubKey(staging, listSection);
        if (!renamed) {
            if (!entries.empty()) WriteList(*key, listSection, entries, true);
            key->DeleteSubKey(staging);
        }
    }
    // The version last: a version that kept an old list from being read goes
    // only once that list is gone.
    WriteValue(*form, kFormVersion, versionText);
    saved_ = true;
    synced_ = entries;
}

void FormStorage::SaveChanges() {
    FinishRestore();
    if (synced_ && list_.All() == *synced_) return;
    Save();
}

void FormStorage::WriteList(StoreKey& key, const std::string& section, const std::vector<std::string>& entries,
                            bool countFirst) {
    std::unique_ptr<StoreKey> listKey = key.CreateSubKey(section);
    if (!listKey) throw Exception("Failed to create key " + ListSection());
    const std::string count = std::to_string(entries.size());
    if (countFirst) WriteValue(*listKey, kCount, count);
    for (std::size_t i = 0; i < entries.size(); ++i) WriteValue(*listKey, ItemName(i), entries[i]);
    // In the staging copy the count comes last: it marks the copy complete.
    if (!countFirst) WriteValue(*listKey, kCount, count);
}

}  // namespace orvik
