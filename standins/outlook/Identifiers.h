#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <string_view>

// The store's identifiers (StoreIDs and EntryIDs) are hexadecimal texts in
// capitals; callers may give them in either case.
namespace ostrellix::standin::outlook::ids {

std::string Normalized(std::string_view id);
std::string RandomHex(std::mt19937_64& random, std::size_t digits);

}  // namespace ostrellix::standin::outlook::ids
