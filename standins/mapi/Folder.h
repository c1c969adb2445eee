#pragma once

#include <string>

#include "contracts/mapi/IFolder.h"
#include "standins/mapi/SessionLink.h"

namespace ostrellix::standin::mapi {

// A folder of the store. Import stores the message of a file in it (all in
// one transaction) and returns it saved, typed by its class.
class Folder final : public api::IFolder {
public:
    Folder(Ptr<SessionLink> link, std::string entryId) : link_(std::move(link)), entryId_(std::move(entryId)) {}

    std::string EntryID() override;
    std::string Name() override;
    std::string StoreID() override;
    Ptr<api::IMessages> Items() override;
    std::vector<Ptr<api::IMessage>> Import(std::string_view path, std::int32_t format) override;

private:
    Ptr<SessionLink> link_;
    std::string entryId_;
};

}  // namespace ostrellix::standin::mapi
