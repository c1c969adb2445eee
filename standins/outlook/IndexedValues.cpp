#include "standins/outlook/IndexedValues.h"

#include <sqlite3.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string_view>

#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

namespace {

constexpr std::uint8_t kText = 0;
constexpr std::uint8_t kNumber = 1;

void PutInteger(Bytes& out, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// Walks the entries of a column without copying them; false at the first
// thing that does not fit.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ == bytes_.size(); }

    // One entry: its key, its kind, and its text or number.
    bool Next(std::string_view& key, std::uint8_t& kind, std::string_view& text, double& number) {
        std::uint64_t length = 0;
        if (!Integer(4, length) || !Text(length, key) || !Byte(kind)) return false;
        if (kind == kText) return Integer(4, length) && Text(length, text);
        if (kind != kNumber) return false;
        std::uint64_t bits = 0;
        if (!Integer(8, bits)) return false;
        number = std::bit_cast<double>(bits);
        return true;
    }

private:
    bool Byte(std::uint8_t& value) {
        if (at_ >= bytes_.size()) return false;
        value = bytes_[at_++];
        return true;
    }
    bool Integer(int size, std::uint64_t& value) {
        if (bytes_.size() - at_ < static_cast<std::size_t>(size)) return false;
        value = 0;
        for (int i = 0; i < size; ++i) value |= static_cast<std::uint64_t>(bytes_[at_++]) << (8 * i);
        return true;
    }
    bool Text(std::uint64_t length, std::string_view& text) {
        if (bytes_.size() - at_ < length) return false;
        text = {reinterpret_cast<const char*>(bytes_.data() + at_), static_cast<std::size_t>(length)};
        at_ += static_cast<std::size_t>(length);
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

[[noreturn]] void RaiseDamaged() {
    errors::Raise(errors::kStoreFailed, "The index entries of a message in the store are damaged.");
}

// How `a` compares to `b`, SQLite's way for the two kinds: text byte by byte, then by length.
int Compare(std::string_view a, std::string_view b) {
    const int bytes = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (bytes != 0) return bytes;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int Compare(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

bool Holds(std::string_view op, int comparison) {
    if (op == "=") return comparison == 0;
    if (op == "<>") return comparison != 0;
    if (op == "<") return comparison < 0;
    if (op == "<=") return comparison <= 0;
    if (op == ">") return comparison > 0;
    if (op == ">=") return comparison >= 0;
    return false;
}

std::string_view TextOf(sqlite3_value* value) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text ? std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

void Match(sqlite3_context* context, int, sqlite3_value** arguments) {
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_value_blob(arguments[0]));
    Reader reader({data, data ? static_cast<std::size_t>(sqlite3_value_bytes(arguments[0])) : 0});
    const std::string_view wanted = TextOf(arguments[1]);
    const std::string_view op = TextOf(arguments[2]);
    const int type = sqlite3_value_type(arguments[3]);
    const bool text = type == SQLITE_TEXT;
    if (!text && type != SQLITE_FLOAT && type != SQLITE_INTEGER) {
        sqlite3_result_int(context, 0);
        return;
    }
    const std::string_view textValue = text ? TextOf(arguments[3]) : std::string_view();
    const double numberValue = text ? 0.0 : sqlite3_value_double(arguments[3]);
    std::string_view key, entryText;
    std::uint8_t kind = 0;
    double entryNumber = 0;
    while (!reader.AtEnd()) {
        if (!reader.Next(key, kind, entryText, entryNumber)) {
            sqlite3_result_error(context, "damaged index entries", -1);
            return;
        }
        if (key != wanted || (kind == kText) != text) continue;
        const int comparison = text ? Compare(entryText, textValue) : Compare(entryNumber, numberValue);
        if (Holds(op, comparison)) {
            sqlite3_result_int(context, 1);
            return;
        }
    }
    sqlite3_result_int(context, 0);
}

}  // namespace

Bytes IndexedValues::Encode(const std::vector<ItemIndex::Entry>& entries) {
    Bytes out;
    for (const ItemIndex::Entry& entry : entries) {
        PutInteger(out, entry.key.size(), 4);
        out.insert(out.end(), entry.key.begin(), entry.key.end());
        if (const auto* number = std::get_if<double>(&entry.value)) {
            out.push_back(kNumber);
            PutInteger(out, std::bit_cast<std::uint64_t>(*number), 8);
        } else {
            const std::string& text = std::get<std::string>(entry.value);
            out.push_back(kText);
            PutInteger(out, text.size(), 4);
            out.insert(out.end(), text.begin(), text.end());
        }
    }
    return out;
}

std::vector<ItemIndex::Entry> IndexedValues::Decode(std::span<const std::uint8_t> bytes) {
    std::vector<ItemIndex::Entry> entries;
    Reader reader(bytes);
    std::string_view key, text;
    std::uint8_t kind = 0;
    double number = 0;
    while (!reader.AtEnd()) {
        if (!reader.Next(key, kind, text, number)) RaiseDamaged();
        entries.push_back(
            {std::string(key), kind == kText ? ItemIndex::Value(std::string(text)) : ItemIndex::Value(number)});
    }
    return entries;
}

void IndexedValues::Register(sqlite3* db) {
    sqlite3_create_function(db, "indexed_match", 4, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                            &Match, nullptr, nullptr);
}

}  // namespace ostrellix::standin::outlook
