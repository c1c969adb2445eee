#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "runtime/Guid.h"
#include "runtime/Variant.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// Reads a stored message's CBOR (see MessageCodec) through the JSON
// library's CBOR parser, feeding its events into the message. The store
// reads with MessageDecoder, which walks the bytes itself; this reading is
// kept so that tests and the stored-message fuzzer can hold the two to the
// same answers. Anything but the store's layout raises a ComError, as does
// CBOR the library refuses.
class LibraryMessageDecoder final : public nlohmann::json_sax<nlohmann::json> {
public:
    static msg::MessageData Decode(std::span<const std::uint8_t> bytes);

    bool null() override;
    bool boolean(bool value) override;
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t& text) override;
    bool string(string_t& value) override;
    bool binary(binary_t& value) override;
    bool start_object(std::size_t elements) override;
    bool key(string_t& value) override;
    bool end_object() override;
    bool start_array(std::size_t elements) override;
    bool end_array() override;
    bool parse_error(std::size_t position, const std::string& token, const nlohmann::detail::exception& error) override;

private:
    // What an open object or array is: the message's parts and the entries of its property bags.
    enum class Part {
        Message, Bag, Recipients, Attachments, Attachment, Tagged, TaggedEntry, Named, NamedEntry, Value, Elements
    };
    // A scalar as the parser gives it.
    using Scalar = std::variant<std::nullptr_t, bool, std::int64_t, std::uint64_t, double, std::string, Bytes>;

    struct Frame {
        Part part;
        msg::MessageData* message = nullptr;
        msg::PropertyBag* bag = nullptr;
        msg::AttachmentData* attachment = nullptr;
        int position = 0;       // members or elements seen
        std::string key{};      // the member whose value comes next
        unsigned seen = 0;      // members seen, one bit each
        // An entry or a value being read.
        std::uint16_t id = 0;
        std::uint16_t type = 0;
        Guid propertySet{};
        std::variant<std::uint32_t, std::string> name{};
        Variant::Type valueType = Variant::Type::Empty;
        Variant value{};
        VariantArray elements{};
    };

    LibraryMessageDecoder(msg::MessageData& message, std::size_t size, std::vector<Frame>& stack);

    void Open(Frame frame);
    bool Take(Scalar scalar);
    void Close();
    // The value of a finished Value frame goes to the entry or array it belongs to.
    void Deliver(Variant value);
    [[noreturn]] static void Fail(const std::string& what);

    msg::MessageData& message_;
    std::size_t size_;  // of the input, in bytes
    bool started_ = false;
    std::vector<Frame>& stack_;  // the open parts, innermost last
};

}  // namespace ostrellix::standin::outlook
