#include "standins/outlook/AddressLists.h"

#include "standins/outlook/AddressList.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

std::int32_t AddressLists::Count() { return static_cast<std::int32_t>(Live().Book().Lists().size()); }

Ptr<ol::IAddressList> AddressLists::Item(std::int32_t index) {
    const std::vector<AddressListData> lists = Live().Book().Lists();
    if (index < 1 || index > static_cast<std::int32_t>(lists.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return std::make_shared<AddressList>(SharedOwner(), lists[static_cast<std::size_t>(index - 1)]);
}

}  // namespace ostrellix::standin::outlook
