#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

// One section of a profile file as it stood when it was read.
class ProfileSection {
public:
    ProfileSection() = default;

    // The value of a key (names match ignoring ASCII case), or nothing when the key is absent.
    std::optional<std::string> value(std::string_view key) const;
    // The key's integer value; `fallback` when the key is absent or not a number.
    std::int32_t readInteger(std::string_view key, std::int32_t fallback) const;
    // A flag stored as an integer: any integer but 0 is set; absent or not a number gives
    // `fallback`.
    bool readFlag(std::string_view key, bool fallback) const;

private:
    friend class ProfileFile;
    // Keys are stored in lower case so that lookups can ignore case.
    explicit ProfileSection(std::unordered_map<std::string, std::string> entries);

    std::unordered_map<std::string, std::string> entries_;
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

    std::filesystem::path path_;
    std::shared_ptr<const std::string> text_;
};
