#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "runtime/Dictionary.h"
#include "runtime/IDispatch.h"

namespace ostrellix::addin {

// A persistent index from KeloID to Outlook EntryID that the Kelo client
// keeps for its own use ("KeloOstrellix.SynchronizationCache"); the add-in
// itself never reads it. The file "OutlookCache.xml" in the current
// database's folder holds
//
//   <xml><person><item id="12" entryid="..."/>...</person>...</xml>
//
// one element per record class in the order its first pair was added, and
// the pairs in the order they were added. Nothing is deduplicated: a pair
// added twice is listed twice.
//
// Changes live in memory until Save, which replaces the file atomically:
// a failed save leaves the previous file as it was. A file that is not a
// whole, well-formed cache loads as an empty one.
class SynchronizationCache : public IDispatch {
public:
    // Starts empty, with the path of the current database's cache file.
    SynchronizationCache();

    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override;

    void Load();
    void Save();
    // The root "xml" element; valid until the next Load or Clear.
    pugi::xml_node XML() const { return root_; }
    void Clear();
    // Raises 9 for a KeloID without ":" and 5 for a class name that cannot
    // name an element.
    void Add(std::string_view keloId, std::string_view entryId);
    // Kept for the client's scripts; entries are never removed.
    void RemoveEntryID(std::string_view entryId);
    void RemoveKeloID(std::string_view keloId);
    // Adds every key of `items` (KeloID to Outlook item) with its item's EntryID.
    void SetItems(const Ptr<Dictionary>& items);

    const std::string& Path() const { return path_; }

private:
    static std::string CachePath();

    std::string path_;
    pugi::xml_document document_;
    pugi::xml_node root_;
};

}  // namespace ostrellix::addin
