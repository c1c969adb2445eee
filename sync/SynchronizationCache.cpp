#include "sync/SynchronizationCache.h"

#include <filesystem>
#include <sstream>

#include "contracts/kelo/IApplication.h"
#include "contracts/outlook/IItem.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "runtime/AtomicFile.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

constexpr const char* kFileName = "OutlookCache.xml";
constexpr const char* kEmptyCache = "<xml/>";

bool IsNameStartChar(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || (c >= 0xC0 && c <= 0xD6) ||
           (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) || (c >= 0x370 && c <= 0x37D) ||
           (c >= 0x37F && c <= 0x1FFF) || (c >= 0x200C && c <= 0x200D) || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
    return IsNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
           (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

// The XML library writes any name it is given; a document that others
// must read back may only hold names of the XML grammar.
bool IsElementName(std::string_view name) {
    const std::vector<char32_t> chars = text::CodePoints(name);
    if (chars.empty() || !IsNameStartChar(chars.front())) return false;
    for (const char32_t c : chars) {
        if (!IsNameChar(c)) return false;
    }
    return true;
}

// The XML library accepts what a strict parser refuses (a second root,
// text after the root, which it keeps only when parsing fragments): the
// file counts only when all of it is one element.
bool IsWholeDocument(const pugi::xml_document& document) {
    int elements = 0;
    for (const pugi::xml_node node : document.children()) {
        if (node.type() == pugi::node_element) {
            ++elements;
        } else if (node.type() != pugi::node_doctype) {
            return false;
        }
    }
    return elements == 1;
}

// Replaces the file whole, so that readers see the old cache or the new
// one, never a part; its errors are the add-in's, under its title.
void ReplaceFile(const std::string& path, const std::string& content) {
    try {
        AtomicFile::Replace(path, content);
    } catch (const AtomicFile::Failure& failure) {
        Raise(failure.Number(), kTitle, "The file " + path + " could not be written: " + failure.Reason());
    }
}

}  // namespace

SynchronizationCache::SynchronizationCache() : path_(CachePath()) { Clear(); }

std::string SynchronizationCache::CachePath() {
    const auto application = Globals::Application();
    return Must(application->Utility()).BuildPath(Must(application->Database()).Folder(), kFileName);
}

void SynchronizationCache::Load() {
    pugi::xml_document document;
    path_ = CachePath();
    if (Must(Globals::Application()->Utility()).FileExists(path_)) {
        const pugi::xml_parse_result parsed = document.load_file(path_.c_str(), pugi::parse_default | pugi::parse_fragment);
        if (!parsed || !IsWholeDocument(document)) document.reset();
    }
    if (!document.child("xml")) document.load_string(kEmptyCache);
    document_ = std::move(document);
    root_ = document_.child("xml");
}

void SynchronizationCache::Save() {
    std::ostringstream text;
    document_.save(text, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    ReplaceFile(path_, text.str());
}

void SynchronizationCache::Clear() {
    document_.reset();
    document_.load_string(kEmptyCache);
    root_ = document_.child("xml");
}

void SynchronizationCache::Add(std::string_view keloId, std::string_view entryId) {
    const std::vector<std::string> parts = text::Split(keloId, ":");
    if (parts.size() < 2) RaiseRuntimeError(errors::SubscriptOutOfRange);
    const std::string& className = parts[0];
    pugi::xml_node classNode = root_.child(className.c_str());
    if (!classNode) {
        if (!IsElementName(className)) {
            Raise(errors::InvalidProcedureCall, kTitle, "\"" + className + "\" cannot name an XML element");
        }
        classNode = root_.append_child(className.c_str());
    }
    pugi::xml_node item = classNode.append_child("item");
    item.append_attribute("id").set_value(parts[1].c_str());
    item.append_attribute("entryid").set_value(std::string(entryId).c_str());
}

void SynchronizationCache::RemoveEntryID(std::string_view /*entryId*/) {}

void SynchronizationCache::RemoveKeloID(std::string_view /*keloId*/) {}

void SynchronizationCache::SetItems(const Ptr<Dictionary>& items) {
    for (const auto& [keloId, item] : Must(items)) {
        Add(keloId, Must(item.ToObjectAs<outlook::IItem>()).EntryID());
    }
}

Variant SynchronizationCache::Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) {
    auto is = [&](const char* name, InvokeKind expected, std::size_t count) {
        if (!text::EqualsIgnoreCase(member, name)) return false;
        if (kind != expected || arguments.size() != count) RaiseRuntimeError(errors::WrongNumberOfArguments);
        return true;
    };
    if (is("Load", InvokeKind::Method, 0)) {
        Load();
    } else if (is("Save", InvokeKind::Method, 0)) {
        Save();
    } else if (is("Clear", InvokeKind::Method, 0)) {
        Clear();
    } else if (is("XML", InvokeKind::PropertyGet, 0)) {
        // Scripts receive the element as its XML text.
        std::ostringstream text;
        root_.print(text, "", pugi::format_raw, pugi::encoding_utf8);
        return text.str();
    } else if (is("Add", InvokeKind::Method, 2)) {
        Add(arguments[0].ToString(), arguments[1].ToString());
    } else if (is("RemoveEntryID", InvokeKind::Method, 1)) {
        RemoveEntryID(arguments[0].ToString());
    } else if (is("RemoveKeloID", InvokeKind::Method, 1)) {
        RemoveKeloID(arguments[0].ToString());
    } else if (is("SetItems", InvokeKind::Method, 1)) {
        SetItems(Cast<Dictionary>(arguments[0].ToObject()));
    } else {
        RaiseRuntimeError(errors::NotSupported);
    }
    return {};
}

}  // namespace ostrellix::addin
