// An in-memory keyed store for the store's tests: two roots, nested keys,
// typed values, and faults on demand (a root that cannot be written, writes
// that start failing after a number of successes, renames that fail).
#pragma once
#include <map>
#include <memory>
#include <string>

#include "platform/KeyStore.h"

namespace orvik::test {

struct MemoryValue {
    enum Type { Text, ExpandText, Number, Binary } type = Text;
    std::string data;
};

inline bool operator==(const MemoryValue& a, const MemoryValue& b) { return a.type == b.type && a.data == b.data; }

struct MemoryNode {
    std::map<std::string, MemoryValue> values;
    std::map<std::string, std::shared_ptr<MemoryNode>> subkeys;

    MemoryNode* Find(const std::string& path) {  // "A\B\C"
        MemoryNode* node = this;
        std::size_t start = 0;
        while (node && start <= path.size()) {
            const std::size_t cut = path.find('\\', start);
            const std::string part = path.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
            auto it = node->subkeys.find(part);
            node = it == node->subkeys.end() ? nullptr : it->second.get();
            if (cut == std::string::npos) break;
            start = cut + 1;
        }
        return node;
    }
    MemoryNode& Make(const std::string& path) {
        MemoryNode* node = this;
        std::size_t start = 0;
        for (;;) {
            const std::size_t cut = path.find('\\', start);
            const std::string part = path.substr(start, cut == std::string::npos ? std::string::npos : cut - start);
            auto& child = node->subkeys[part];
            if (!child) child = std::make_shared<MemoryNode>();
            node = child.get();
            if (cut == std::string::npos) return *node;
            start = cut + 1;
        }
    }
};

// Same values and the same subkeys all the way down.
inline bool SameTree(const MemoryNode& a, const MemoryNode& b) {
    if (a.values != b.values || a.subkeys.size() != b.subkeys.size()) return false;
    for (auto x = a.subkeys.begin(), y = b.subkeys.begin(); x != a.subkeys.end(); ++x, ++y)
        if (x->first != y->first || !SameTree(*x->second, *y->second)) return false;
    return true;
}

class MemoryKeyStore : public KeyStore {
public:
    MemoryNode currentUser, localMachine;
    bool localMachineReadOnly = false;  // a user without write rights there
    int writesBeforeFailure = -1;       // -1: writes never fail
    int writes = 0;                     // successful value writes
    bool renameFails = false;           // a system without a rename call
    int renames = 0;                    // successful renames
    int reads = 0;                      // value reads

    MemoryNode& Root(KeyRoot root) { return root == KeyRoot::CurrentUser ? currentUser : localMachine; }

    std::unique_ptr<StoreKey> OpenForReading(KeyRoot root, const std::string& path) override {
        MemoryNode* node = Root(root).Find(path);
        if (!node) return nullptr;
        return std::make_unique<Key>(*this, node, false);
    }
    std::unique_ptr<StoreKey> OpenForWriting(KeyRoot root, const std::string& path) override {
        if (root == KeyRoot::LocalMachine && localMachineReadOnly) return nullptr;
        return std::make_unique<Key>(*this, &Root(root).Make(path), true);
    }

private:
    class Key : public StoreKey {
    public:
        Key(MemoryKeyStore& store, MemoryNode* node, bool writable) : store_(store), node_(node), writable_(writable) {}
        std::unique_ptr<StoreKey> OpenSubKey(const std::string& name) override {
            auto it = node_->subkeys.find(name);
            if (it == node_->subkeys.end()) return nullptr;
            return std::make_unique<Key>(store_, it->second.get(), writable_);
        }
        std::unique_ptr<StoreKey> CreateSubKey(const std::string& name) override {
            if (!writable_) return nullptr;
            auto& child = node_->subkeys[name];
            if (!child) child = std::make_shared<MemoryNode>();
            return std::make_unique<Key>(store_, child.get(), true);
        }
        bool DeleteSubKey(const std::string& name) override {
            if (!writable_) return false;
            node_->subkeys.erase(name);
            return true;
        }
        bool RenameSubKey(const std::string& from, const std::string& to) override {
            if (!writable_ || store_.renameFails || to.empty() || to.find('\\') != std::string::npos) return false;
            auto it = node_->subkeys.find(from);
            if (it == node_->subkeys.end() || node_->subkeys.count(to) != 0) return false;
            auto moved = it->second;
            node_->subkeys.erase(it);
            node_->subkeys[to] = std::move(moved);
            ++store_.renames;
            return true;
        }
        bool ValueExists(const std::string& name) override { return node_->values.count(name) != 0; }
        ReadStatus ReadText(const std::string& name, std::string& text, std::size_t maxLength) override {
            ++store_.reads;
            auto it = node_->values.find(name);
            if (it == node_->values.end()) return ReadStatus::Missing;
            if (it->second.type != MemoryValue::Text && it->second.type != MemoryValue::ExpandText)
                return ReadStatus::WrongType;
            if (it->second.data.size() > maxLength) return ReadStatus::TooLong;
            text = it->second.data;
            return ReadStatus::Ok;
        }
        bool WriteText(const std::string& name, const std::string& text) override {
            if (!writable_) return false;
            if (store_.writesBeforeFailure >= 0 && store_.writes >= store_.writesBeforeFailure) return false;
            ++store_.writes;
            node_->values[name] = MemoryValue{MemoryValue::Text, text};
            return true;
        }

    private:
        MemoryKeyStore& store_;
        MemoryNode* node_;
        bool writable_;
    };
};

}  // namespace orvik::test
