#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ostrellix::standin::outlook {

// The EntryID of an address with no address-book entry behind it, in the
// layout every MAPI program writes and reads: four zero flag bytes, the
// one-off provider's UID, a 16-bit version (0) and 16-bit flags (both
// little-endian), then the display name, the address type and the address
// as zero-terminated strings, UTF-16LE when the Unicode flag is set and
// windows-1252 otherwise. Written Unicode, read in both forms, so that
// EntryIDs from other programs' message files resolve too.
class OneOffEntryId {
public:
    struct Parts {
        std::string name;
        std::string type;
        std::string address;
    };

    // As upper-case hexadecimal, the form EntryIDs travel in here.
    static std::string Make(std::string_view name, std::string_view type, std::string_view address);
    // Nothing when `entryId` is no well-formed one-off EntryID.
    static std::optional<Parts> Read(std::string_view entryId);
};

}  // namespace ostrellix::standin::outlook
