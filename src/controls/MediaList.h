// The media list, shared by the main window, its store and the player:
// ordered text entries (full paths of media files as the
// file-open dialog returned them), at most one selected, -1 for none. The
// main window's list box is the real one; MemoryMediaList serves tests and
// any code that needs a list without a window.
#pragma once
#include <string>
#include <vector>

namespace orvik {

class MediaList {
public:
    virtual ~MediaList() = default;
    virtual int Count() const = 0;
    virtual std::string Entry(int index) const = 0;
    virtual int SelectedIndex() const = 0;
    virtual void SetSelectedIndex(int index) = 0;
    virtual void Append(const std::string& entry) = 0;
    virtual void Delete(int index) = 0;
    // Replaces every entry at once; afterwards no entry is selected.
    virtual void ReplaceAll(const std::vector<std::string>& entries) = 0;
    // Appends the entries in order, as Append would one by one.
    virtual void AppendAll(const std::vector<std::string>& entries);
    std::vector<std::string> All() const;
};

class MemoryMediaList : public MediaList {
public:
    int Count() const override { return static_cast<int>(entries_.size()); }
    std::string Entry(int index) const override;
    int SelectedIndex() const override { return selected_; }
    void SetSelectedIndex(int index) override;
    void Append(const std::string& entry) override { entries_.push_back(entry); }
    void Delete(int index) override;
    void ReplaceAll(const std::vector<std::string>& entries) override;

private:
    std::vector<std::string> entries_;
    int selected_ = -1;
};

// A file chosen in the open dialog: appended at the end, and entry 0 (not
// the new one) becomes the selected entry.
void AddChosenFile(MediaList& list, const std::string& path);
// BS in the list: the selected entry goes, and none is selected afterwards.
// Nothing happens without a selection. Returns whether an entry was deleted.
bool DeleteSelectedEntry(MediaList& list);

}  // namespace orvik
