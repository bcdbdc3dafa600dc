#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "levels/profilesyntax.h"

// A key that is looked up again and again, its hash worked out once.
struct ProfileKey {
    explicit ProfileKey(std::string name);

    std::string name;
    std::uint32_t hash;
};

// One section of a profile file as it stood when it was read.
class ProfileSection {
public:
    ProfileSection() = default;

    // The value of a key (names match ignoring ASCII case), or nothing when the key is absent.
    std::optional<std::string> value(std::string_view key) const;
    // The key's integer value; `fallback` when the key is absent or not a number.
    std::int32_t readInteger(std::string_view key, std::int32_t fallback) const;
    std::int32_t readInteger(const ProfileKey& key, std::int32_t fallback) const;
    // A flag stored as an integer: any integer but 0 is set; absent or not a number gives
    // `fallback`.
    bool readFlag(std::string_view key, bool fallback) const;
    bool readFlag(const ProfileKey& key, bool fallback) const;

private:
    friend class ProfileFile;
    struct Entry {
        std::string_view key;
        std::string_view value;
        std::uint32_t hash;  // of the key's ASCII lower case
        std::uint32_t next;  // 1 + the place of the next entry of its bucket; 0 ends the chain
    };

    // The first section called `name` in `text`, which `keeper` keeps: the entries lie in it.
    ProfileSection(std::shared_ptr<const void> keeper, std::string_view text,
                   std::string_view name);
    std::optional<std::string_view> find(std::string_view key, std::uint32_t hash) const;
    // Reads entries on, until one called `key` has been read or the section ends; returns its
    // value.
    std::optional<std::string_view> readOn(std::optional<std::string_view> key) const;
    void index() const;
    std::optional<std::string_view> lookUp(std::string_view key, std::uint32_t hash) const;

    std::shared_ptr<const void> keeper;
    // The section's lines not read yet; none when there is no such section or all are read.
    mutable ProfileSyntax::Lines unread;
    // The entries are read as lookups need them, and indexed at the second lookup.
    mutable bool lookedInto = false;
    mutable bool indexed = false;
    // Those read so far, in the order of the file.
    mutable std::vector<Entry> entries;
    // By the low bits of the hash: 1 + the place of the bucket's first entry, 0 when it has none.
    // Each chain keeps the order of the file, so the first of two keys that differ only in case
    // is found.
    mutable std::vector<std::uint32_t> buckets;
};

// A profile (INI) file: on disk, opened read-only, afresh at every read, never written; or the
// text of one held in memory. Both are read by the same parser.
class ProfileFile {
public:
    explicit ProfileFile(std::filesystem::path path);
    // The text as a file would hold it; copies share it.
    static ProfileFile fromText(std::string text);

    // The file on disk; empty for text held in memory.
    const std::filesystem::path& path() const;
    // Returns the named section as the file stands now (empty when the file or section is
    // missing, unreadable, a directory, ...).
    ProfileSection section(std::string_view name) const;

private:
    ProfileFile() = default;

    std::filesystem::path filePath;
    // The text held in memory; none for a file on disk.
    std::shared_ptr<const std::string> heldText;
};
