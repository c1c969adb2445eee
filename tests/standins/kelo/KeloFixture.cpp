#include "tests/standins/kelo/KeloFixture.h"

#include "contracts/kelo/Codes.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Records.h"

namespace ostrellix::standin::kelo {

std::int32_t KeloFixture::IdOf(std::string_view className, std::string_view field, const Variant& value) {
    auto filter = std::make_shared<Filter>();
    filter->Add(field, ostrellix::kelo::op::Equal, value);
    Records records(Engine());
    records.Open(Class(className), filter, {}, 0);
    EXPECT_EQ(records.Count(), 1) << className << "." << field << " = " << value.ToString();
    return records.Count() == 1 ? records.Item(1)->ID() : 0;
}

}  // namespace ostrellix::standin::kelo
