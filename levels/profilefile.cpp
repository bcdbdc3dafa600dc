#include "levels/profilefile.h"

#include <algorithm>
#include <fstream>
#include <system_error>
#include <utility>

#include "levels/profilesyntax.h"
#include "levels/profilevalue.h"

namespace {

using Entries = std::unordered_map<std::string, std::string>;

std::string asciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return lower;
}

std::string readWholeFile(const std::filesystem::path& path) {
    std::error_code error;
    // Anything but a regular file (FIFO, device, directory, dangling link) could block or fail.
    if (!std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    const auto size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (error || !in) {
        return {};
    }
    std::string contents(static_cast<std::size_t>(size), '\0');
    in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
    contents.resize(static_cast<std::size_t>(in.gcount()));
    return contents;
}

// Collects the first section called `name`; later sections of that name are never looked at.
Entries collectSection(std::string_view text, std::string_view name) {
    Entries entries;
    bool inSection = false;
    ProfileSyntax::Lines lines(text);
    ProfileSyntax::Line line;
    while (lines.next(line)) {
        if (line.kind == ProfileSyntax::Line::Header) {
            if (inSection) {
                break;
            }
            inSection = ProfileSyntax::equalIgnoringCase(line.name, name);
        } else if (inSection && line.kind == ProfileSyntax::Line::Entry) {
            entries.try_emplace(asciiLower(line.name), line.value);
        }
    }
    return entries;
}

}  // namespace

ProfileSection::ProfileSection(Entries entries) : entries_(std::move(entries)) {}

std::optional<std::string> ProfileSection::value(std::string_view key) const {
    const auto found = entries_.find(asciiLower(key));
    if (found == entries_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::int32_t ProfileSection::readInteger(std::string_view key, std::int32_t fallback) const {
    const auto text = value(key);
    return text ? parseProfileInt(*text).value_or(fallback) : fallback;
}

bool ProfileSection::readFlag(std::string_view key, bool fallback) const {
    const auto text = value(key);
    const auto number = text ? parseProfileInt(*text) : std::nullopt;
    return number ? *number != 0 : fallback;
}

ProfileFile::ProfileFile(std::filesystem::path path) : path_(std::move(path)) {}

const std::filesystem::path& ProfileFile::path() const {
    return path_;
}

ProfileFile ProfileFile::fromText(std::string text) {
    ProfileFile file;
    file.text_ = std::make_shared<const std::string>(std::move(text));
    return file;
}

ProfileSection ProfileFile::section(std::string_view name) const {
    if (text_) {
        return ProfileSection(collectSection(*text_, name));
    }
    return ProfileSection(collectSection(readWholeFile(path_), name));
}
