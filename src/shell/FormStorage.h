// The media list store: saves the main window's list (its "ListBox1.Items"
// property) to a keyed store and restores it, in this layout under the store
// key (LocalMachine root):
//   "TMainForm"                 "FormVersion" = the decimal text of Version
//   "TMainForm.ListBox1_Items"  "Count" = n, "Item0" ... "Item<n-1>" = the entries
// every value text. An empty list is the absence of the list subkey. Each
// restore and save also opens (creating it) the store key under CurrentUser
// and writes nothing there.
//
// Nothing stored is lost to a store the program cannot read: a list that a
// restore could not read stays in the store, untouched by the saves, until
// the user changes the media list; a leftover staging copy counts only when
// it is complete, and goes once a save no longer needs it.
#pragma once
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Exception.h"
#include "platform/KeyStore.h"
#include "controls/MediaList.h"

namespace orvik {

// The most entries the media list holds: the most a list box holds everywhere
// the program runs. Adding stops here, and a restore reads no more.
constexpr int kMaxListEntries = 32767;

// What a restore accepts from the store, so that a corrupt or hostile store
// can neither hang the program nor exhaust its memory.
struct StoreLimits {
    // A larger "Count" is cut to this; the entries beyond it are not read.
    int maxEntries = kMaxListEntries;
    // The longest path the platform knows; a longer entry is a corrupt list.
    std::size_t maxEntryLength = 32767;
    // All entries together; more is a corrupt list.
    std::size_t maxListText = 16u << 20;
    // "Count" and "FormVersion" are short numbers.
    std::size_t maxNumberLength = 1024;
};

// The moments the media list meets the store.
enum class StoreMoment { Shown, CloseAllowed, SessionEnd, Destroyed };

class FormStorage {
public:
    using ErrorSink = std::function<void(const std::exception&)>;

    // storeKey: the key path under each root, such as "Software\OrvikPlayer".
    FormStorage(KeyStore& store, MediaList& list, std::string storeKey, std::string section = "TMainForm");
    ~FormStorage();
    FormStorage(FormStorage&&) noexcept;

    int version = 0;
    StoreLimits limits;
    // Receives what Sync catches; without one it is thrown.
    ErrorSink onError;

    // The list meets the store here and nowhere else: restored each time the
    // window appears; saved when a close is allowed, when the session ends,
    // and when the window goes (unless saved since the last restore), and
    // then only when it changed since the store last had it: a copy that
    // changed nothing cannot write over what another copy of the program
    // saved meanwhile, nor over a list its restore could not read. Errors go
    // to onError.
    void Sync(StoreMoment moment);

    // The algorithms themselves. Save writes the media list over whatever is
    // stored, and throws Exception with the text the error box shows. Restore restores what it can; a "FormVersion" that is
    // not text is then reported to onError (thrown without one) once the list
    // is in place, read as if the version were 0.
    void Restore();
    void Save();

    // A long list takes one store read per entry. With RestoreBatch above
    // 0, Restore reads and shows only the first RestoreBatch entries, and
    // each ContinueRestore the next ones (while the list is as the store
    // last had it; else the whole list is read at once, as with 0). What a
    // restore finally leaves is the same either way. Whatever reads or
    // changes the media list meanwhile goes through a StoredMediaList, which
    // completes the restore first; Save and Restore complete it themselves.
    std::size_t restoreBatch = 0;
    bool RestorePending() const { return pending_ != nullptr; }
    // Reads the next `entries` entries; false once nothing is left to read.
    bool ContinueRestore(std::size_t entries);
    void FinishRestore();

    bool Restored() const { return restored_; }
    bool Saved() const { return saved_; }
    const std::string& StorePath() const { return storeKey_; }
    std::string ListSection() const;     // "TMainForm.ListBox1_Items"
    std::string StagingSection() const;  // where a save writes the new list first

private:
    struct ListRead;
    struct PendingRestore;
    enum class ReadStep { More, Done, Failed };

    void Report(void (FormStorage::*operation)());
    void SaveChanges();
    std::optional<Exception> RestoreFromStore();
    // Reads at most `entries` more entries of the pending restore; true once
    // it is over.
    bool Advance(std::size_t entries);
    // Opens the staging copy, or once that is tried, the list subkey, with
    // its count read; false when neither is left to read.
    bool OpenNextList(PendingRestore& pending) const;
    // Puts back the media list as it was before the entries read were shown.
    void Unshow();
    bool EndRestore(bool unread);
    // A list subkey's count, checked; false when it holds no list that can
    // be read. A staging copy must be complete: its count exactly as a save
    // writes it and every item present.
    bool BeginList(ListRead& read) const;
    ReadStep ReadEntries(ListRead& read, std::size_t entries) const;
    std::optional<std::vector<std::string>> ReadList(StoreKey& listKey, bool staging) const;
    void WriteList(StoreKey& key, const std::string& section, const std::vector<std::string>& entries,
                   bool countFirst);

    KeyStore& store_;
    MediaList& list_;
    std::string storeKey_;
    std::string section_;
    bool restored_ = false;
    bool saved_ = false;
    // The entries as the store last had them (after a restore replaced the
    // list, or a save). The list differs from it when the user edited it
    // since; a restore then keeps the edits instead of replacing them.
    std::optional<std::vector<std::string>> synced_;
    std::unique_ptr<PendingRestore> pending_;
};

// The media list as everything but its store sees it: whole. Each call
// first completes a restore that is still reading the list.
class StoredMediaList : public MediaList {
public:
    StoredMediaList(MediaList& list, FormStorage& storage) : list_(list), storage_(storage) {}
    int Count() const override { return Whole().Count(); }
    std::string Entry(int index) const override { return Whole().Entry(index); }
    int SelectedIndex() const override { return Whole().SelectedIndex(); }
    void SetSelectedIndex(int index) override { Whole().SetSelectedIndex(index); }
    void Append(const std::string& entry) override { Whole().Append(entry); }
    void Delete(int index) override { Whole().Delete(index); }
    void ReplaceAll(const std::vector<std::string>& entries) override { Whole().ReplaceAll(entries); }
    void AppendAll(const std::vector<std::string>& entries) override { Whole().AppendAll(entries); }

private:
    MediaList& Whole() const {
        storage_.FinishRestore();
        return list_;
    }
    MediaList& list_;
    FormStorage& storage_;
};

// "Software\" and the executable's file name without folder and extension.
std::string StoreKeyPath(const std::string& exePath);
// A decimal integer with an optional sign, nothing else; false when the
// text is not one or does not fit in an int.
bool ParseInteger(const std::string& text, int& value);
// Without leading and trailing blanks (spaces and control characters).
std::string TrimBlanks(const std::string& text);

}  // namespace orvik
