#include "levels/profilefile.h"

#include <bit>
#include <fstream>
#include <system_error>
#include <utility>

#include "levels/profilevalue.h"

namespace {

// Room for the entries of a section at first; a level has 115.
constexpr std::size_t FirstRoom = 32;
// Entries are counted in 32 bits, with 0 for none. A section would need a file of more than
// 8 GiB to have more entries; those are not read.
constexpr std::size_t MaxEntries = 0xFFFFFFFE;

// A file's bytes, read into memory that is not cleared first: a level file may be huge.
struct FileBytes {
    std::shared_ptr<const char[]> data;
    std::size_t size = 0;
};

FileBytes readWholeFile(const std::filesystem::path& path) {
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
    std::shared_ptr<char[]> data(new char[static_cast<std::size_t>(size)]);
    in.read(data.get(), static_cast<std::streamsize>(size));
    return {std::move(data), static_cast<std::size_t>(in.gcount())};
}

// The lines after the header of the first section called `name`, where its entries begin; none
// when there is no such section. Later sections of that name are never looked at.
ProfileSyntax::Lines findSection(std::string_view text, std::string_view name) {
    ProfileSyntax::Lines lines(text);
    ProfileSyntax::Line line;
    // Up to the section only headers count, and they begin with '['.
    while (lines.skipToLineBeginningWith('[') && lines.next(line)) {
        if (line.kind == ProfileSyntax::Line::Header &&
            ProfileSyntax::equalIgnoringCase(line.name, name)) {
            return lines;
        }
    }
    return ProfileSyntax::Lines();
}

std::int32_t integerOr(std::optional<std::string_view> text, std::int32_t fallback) {
    return text ? parseProfileInt(*text).value_or(fallback) : fallback;
}

bool flagOr(std::optional<std::string_view> text, bool fallback) {
    const auto number = text ? parseProfileInt(*text) : std::nullopt;
    return number ? *number != 0 : fallback;
}

}  // namespace

ProfileKey::ProfileKey(std::string name)
    : name(std::move(name)), hash(ProfileSyntax::hashIgnoringCase(this->name)) {}

ProfileSection::ProfileSection(std::shared_ptr<const void> keeper, std::string_view text,
                               std::string_view name)
    : keeper(std::move(keeper)), unread(findSection(text, name)) {}

std::optional<std::string_view> ProfileSection::find(std::string_view key,
                                                     std::uint32_t hash) const {
    if (!indexed) {
        // The start-up check wants a single key: for the first lookup the entries are read only
        // as far as its key. A second lookup reads the rest and indexes them all.
        if (!lookedInto) {
            lookedInto = true;
            return readOn(key);
        }
        readOn(std::nullopt);
        index();
        indexed = true;
    }
    return lookUp(key, hash);
}

std::optional<std::string_view> ProfileSection::readOn(std::optional<std::string_view> key) const {
    for (ProfileSyntax::Line line; unread.next(line);) {
        if (line.kind == ProfileSyntax::Line::Header) {
            unread = ProfileSyntax::Lines();
            break;
        }
        if (line.kind != ProfileSyntax::Line::Entry) {
            continue;
        }
        if (entries.empty()) {
            entries.reserve(FirstRoom);
        }
        if (entries.size() < MaxEntries) {
            entries.push_back({line.name, line.value, 0, 0});
        }
        if (key && ProfileSyntax::equalIgnoringCase(line.name, *key)) {
            return line.value;
        }
    }
    return std::nullopt;
}

void ProfileSection::index() const {
    if (entries.empty()) {
        return;
    }
    // Chained from the last entry to the first, so that each chain runs in the order of the file.
    buckets.assign(std::bit_ceil(entries.size()), 0);
    for (std::size_t i = entries.size(); i-- > 0;) {
        Entry& entry = entries[i];
        entry.hash = ProfileSyntax::hashIgnoringCase(entry.key);
        std::uint32_t& head = buckets[entry.hash & (buckets.size() - 1)];
        entry.next = head;
        head = static_cast<std::uint32_t>(i + 1);
    }
}

std::optional<std::string_view> ProfileSection::lookUp(std::string_view key,
                                                       std::uint32_t hash) const {
    if (buckets.empty()) {
        return std::nullopt;  // nothing to hash the key for
    }
    for (std::uint32_t at = buckets[hash & (buckets.size() - 1)]; at != 0;) {
        const Entry& entry = entries[at - 1];
        if (entry.hash == hash && ProfileSyntax::equalIgnoringCase(entry.key, key)) {
            return entry.value;
        }
        at = entry.next;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileSection::value(std::string_view key) const {
    const auto found = find(key, ProfileSyntax::hashIgnoringCase(key));
    return found ? std::optional<std::string>(*found) : std::nullopt;
}

std::int32_t ProfileSection::readInteger(std::string_view key, std::int32_t fallback) const {
    return integerOr(find(key, ProfileSyntax::hashIgnoringCase(key)), fallback);
}

std::int32_t ProfileSection::readInteger(const ProfileKey& key, std::int32_t fallback) const {
    return integerOr(find(key.name, key.hash), fallback);
}

bool ProfileSection::readFlag(std::string_view key, bool fallback) const {
    return flagOr(find(key, ProfileSyntax::hashIgnoringCase(key)), fallback);
}

bool ProfileSection::readFlag(const ProfileKey& key, bool fallback) const {
    return flagOr(find(key.name, key.hash), fallback);
}

ProfileFile::ProfileFile(std::filesystem::path path) : filePath(std::move(path)) {}

const std::filesystem::path& ProfileFile::path() const {
    return filePath;
}

ProfileFile ProfileFile::fromText(std::string text) {
    ProfileFile file;
    file.heldText = std::make_shared<const std::string>(std::move(text));
    return file;
}

ProfileSection ProfileFile::section(std::string_view name) const {
    // The section keeps the text its entries lie in: shared when held in memory, read now from
    // the file otherwise.
    if (heldText) {
        return ProfileSection(heldText, *heldText, name);
    }
    FileBytes file = readWholeFile(filePath);
    const std::string_view text(file.data.get(), file.size);
    return ProfileSection(std::move(file.data), text, name);
}
