// The keyed store that the media list store works on: a hierarchy of keys
// under two roots, holding named text values. The system registry is the real
// one (platform/win32/RegistryKeyStore); tests use an in-memory one.
#pragma once
#include <cstddef>
#include <memory>
#include <string>

namespace orvik {

enum class KeyRoot { CurrentUser, LocalMachine };

enum class ReadStatus {
    Ok,
    Missing,    // no value of that name
    WrongType,  // a value that is not text
    TooLong,    // text longer than the reader accepts
    Failed,     // the store refused the read
};

// An open key; destroying the object closes it.
class StoreKey {
public:
    virtual ~StoreKey() = default;
    // Opens an existing subkey the way this key was opened; nullptr when missing.
    virtual std::unique_ptr<StoreKey> OpenSubKey(const std::string& name) = 0;
    // Opens a subkey with full access, creating it when missing; nullptr on failure.
    virtual std::unique_ptr<StoreKey> CreateSubKey(const std::string& name) = 0;
    // Deletes a subkey with everything below it; true when it is gone
    // afterwards. A subkey that links elsewhere goes itself: what it points to stays.
    virtual bool DeleteSubKey(const std::string& name) = 0;
    // Gives subkey `from`, with everything below it, the name `to` (a plain
    // name, no path) in one step: true when renamed. False, and nothing
    // changed, when the store cannot rename, `from` is missing or `to` exists.
    // A subkey that links elsewhere is renamed itself.
    virtual bool RenameSubKey(const std::string& from, const std::string& to) = 0;
    virtual bool ValueExists(const std::string& name) = 0;
    // Reads a text value (plain or expandable text, not expanded) of at most
    // maxLength characters, without its terminating zero.
    virtual ReadStatus ReadText(const std::string& name, std::string& text, std::size_t maxLength) = 0;
    // Writes a text value, terminating zero included.
    virtual bool WriteText(const std::string& name, const std::string& text) = 0;
};

class KeyStore {
public:
    virtual ~KeyStore() = default;
    // Read-only; nullptr when the key is missing or not readable.
    virtual std::unique_ptr<StoreKey> OpenForReading(KeyRoot root, const std::string& path) = 0;
    // Full access, creating the key when missing; nullptr on failure.
    virtual std::unique_ptr<StoreKey> OpenForWriting(KeyRoot root, const std::string& path) = 0;
};

}  // namespace orvik
