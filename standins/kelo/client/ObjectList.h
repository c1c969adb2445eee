#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/kelo/IFiles.h"
#include "contracts/kelo/IRecipients.h"
#include "runtime/ComError.h"

namespace ostrellix::standin::kelo {

// A fixed list of the client's objects behind a collection interface with
// Count and a 1-based Item (the client's recipient and file collections).
template <class Interface, class Member>
class ObjectList final : public Interface {
public:
    explicit ObjectList(std::vector<Ptr<Member>> members) : members_(std::move(members)) {}

    std::int32_t Count() override { return static_cast<std::int32_t>(members_.size()); }
    Ptr<Member> Item(std::int32_t index) override {
        if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
        return members_[static_cast<std::size_t>(index - 1)];
    }

private:
    std::vector<Ptr<Member>> members_;
};

using Recipients = ObjectList<ostrellix::kelo::IRecipients, ostrellix::kelo::IRecipient>;
using Files = ObjectList<ostrellix::kelo::IFiles, ostrellix::kelo::IFile>;

}  // namespace ostrellix::standin::kelo
