#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "contracts/mapi/IMessage.h"
#include "runtime/TextHash.h"

namespace ostrellix::addin {

// The messages the MAPI library opened during a synchronization run, by
// EntryID, so that the scan's sender test, the checksums and the mapping of
// one pair read the message the scan opened instead of loading it again
// from the store. A stored message follows the store, so a kept one reads
// exactly what a fresh open would. While an object lives, MapiView keeps
// what it opens here and finds it again; scopes nest, the inner one counts.
class OpenedMessages {
public:
    OpenedMessages();
    ~OpenedMessages();
    OpenedMessages(const OpenedMessages&) = delete;
    OpenedMessages& operator=(const OpenedMessages&) = delete;

    // Nothing when no run keeps messages or this one was not opened.
    static Ptr<mapi::IMessage> Find(std::string_view entryId);
    static void Keep(const std::string& entryId, const Ptr<mapi::IMessage>& message);
    // Lets a pair's message go once the pair is done, so a run over many
    // pairs holds only the messages of the pairs still to come.
    static void Release(std::string_view entryId);

private:
    std::unordered_map<std::string, Ptr<mapi::IMessage>, TextHash, std::equal_to<>> messages_;
    OpenedMessages* outer_;
};

}  // namespace ostrellix::addin
