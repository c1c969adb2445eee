#pragma once

#include <optional>
#include <string>

#include "runtime/Date.h"
#include "runtime/Variant.h"

namespace ostrellix::standin::message {

struct PostalAddress {
    std::string street;
    std::string city;
    std::string region;
    std::string postalCode;
    std::string country;

    bool Empty() const { return street.empty() && city.empty() && region.empty() && postalCode.empty() && country.empty(); }
    friend bool operator==(const PostalAddress&, const PostalAddress&) = default;
};

// A contact as a business card (vCard) carries it, independent of how a
// store keeps contacts. Empty text means "not given".
struct ContactCard {
    std::string fullName;
    std::string firstName;
    std::string lastName;
    std::string nickname;
    std::string jobTitle;
    std::string company;
    std::optional<Date> birthday;  // the date only
    std::string email1;
    std::string email2;
    std::string homePhone;
    std::string businessPhone;
    std::string mobilePhone;
    std::string homeFax;
    std::string businessFax;
    PostalAddress homeAddress;
    PostalAddress businessAddress;
    std::string personalHomePage;
    std::string businessHomePage;
    std::string notes;
    Bytes photo;                 // empty: no photo
    std::string photoMediaType;  // "image/jpeg"; guessed from the bytes when empty

    friend bool operator==(const ContactCard&, const ContactCard&) = default;
};

}  // namespace ostrellix::standin::message
