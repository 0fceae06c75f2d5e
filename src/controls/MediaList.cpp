#include "controls/MediaList.h"

namespace orvik {

std::vector<std::string> MediaList::All() const {
    std::vector<std::string> all;
    const int n = Count();
    all.reserve(static_cast<size_t>(n > 0 ? n : 0));
    for (int i = 0; i < n; ++i) all.push_back(Entry(i));
    return all;
}

std::string MemoryMediaList::Entry(int index) const {
    if (index < 0 || index >= Count()) return {};
    return entries_[static_cast<size_t>(index)];
}

void MemoryMediaList::SetSelectedIndex(int index) { selected_ = (index >= 0 && index < Count()) ? index : -1; }

void MemoryMediaList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    entries_.erase(entries_.begin() + index);
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
}

void MediaList::AppendAll(const std::vector<std::string>& entries) {
    for (const std::string& e : entries) Append(e);
}

void MemoryMediaList::ReplaceAll(const std::vector<std::string>& entries) {
    entries_ = entries;
    selected_ = -1;
}

void AddChosenFile(MediaList& list, const std::string& path) {
    list.Append(path);
    list.SetSelectedIndex(0);
}

bool DeleteSelectedEntry(MediaList& list) {
    const int selected = list.SelectedIndex();
    if (selected < 0) return false;
    list.Delete(selected);
    list.SetSelectedIndex(-1);
    return true;
}

}  // namespace orvik
