#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/ComError.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/IndexedValues.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::outlook {
namespace {

using Entry = ItemIndex::Entry;

const std::vector<Entry> kEntries = {
    {"lastmodificationtime", 3923580000.0}, {"subject", std::string("lunch på kajen")},
    {"u:keloid", std::string("")},          {"u:score", -0.5},
    {"u:tags", std::string("b")},           {"u:tags", std::string("d")},
};

TEST(IndexedValuesTest, EntriesComeBackAsWrittenAndDamageIsNamed) {
    const Bytes bytes = IndexedValues::Encode(kEntries);
    EXPECT_EQ(IndexedValues::Decode(bytes), kEntries);
    EXPECT_TRUE(IndexedValues::Decode({}).empty());
    for (const std::size_t cut : {std::size_t{1}, std::size_t{5}, bytes.size() - 1}) {
        const std::optional<ComError> error = ostrellix::testing::Raised([&] {
            IndexedValues::Decode({bytes.data(), cut});
        });
        ASSERT_TRUE(error) << cut;
        EXPECT_EQ(error->Number(), errors::kStoreFailed);
    }
    Bytes unknownKind = IndexedValues::Encode({{"k", 1.0}});
    unknownKind[5] = 7;
    EXPECT_THROW(IndexedValues::Decode(unknownKind), ComError);
}

// What indexed_match answers is what a lookup of the same entries in a
// table answers: values of the other kind never match, text compares byte
// by byte, and any of several values under one key may match.
TEST(IndexedValuesTest, MatchingComparesAsTheLookupTableDoes) {
    SQLite::Database db(":memory:", SQLite::OPEN_READWRITE);
    IndexedValues::Register(db.getHandle());
    db.exec("CREATE TABLE v(key TEXT, value)");
    SQLite::Statement insert(db, "INSERT INTO v VALUES(?, ?)");
    for (const Entry& entry : kEntries) {
        insert.bind(1, entry.key);
        if (const auto* number = std::get_if<double>(&entry.value)) {
            insert.bind(2, *number);
        } else {
            insert.bind(2, std::get<std::string>(entry.value));
        }
        insert.exec();
        insert.reset();
    }
    const Bytes bytes = IndexedValues::Encode(kEntries);
    const auto ask = [&](const std::string& key, const std::string& op, const auto& value) {
        SQLite::Statement match(db, "SELECT indexed_match(?, ?, '" + op + "', ?)");
        match.bind(1, bytes.data(), static_cast<int>(bytes.size()));
        match.bind(2, key);
        match.bind(3, value);
        match.executeStep();
        SQLite::Statement table(
            db, "SELECT EXISTS (SELECT 1 FROM v WHERE key = ? AND value " + op + " ? AND typeof(value) = typeof(?))");
        table.bind(1, key);
        table.bind(2, value);
        table.bind(3, value);
        table.executeStep();
        EXPECT_EQ(match.getColumn(0).getInt(), table.getColumn(0).getInt()) << key << " " << op;
        return match.getColumn(0).getInt() == 1;
    };
    for (const std::string op : {"=", "<>", "<", "<=", ">", ">="}) {
        for (const std::string text : {"", "b", "c", "d", "e", "lunch", "lunch på kajen", "lunch på kajen!"}) {
            ask("u:tags", op, text);
            ask("subject", op, text);
            ask("u:keloid", op, text);
        }
        for (const double number : {-1.0, -0.5, 0.0, 3923580000.0}) {
            ask("u:score", op, number);
            ask("lastmodificationtime", op, number);
            ask("subject", op, number);
        }
    }
    EXPECT_TRUE(ask("u:tags", "<>", std::string("b"))) << "another of its values differs";
    EXPECT_FALSE(ask("u:score", "=", std::string("-0.5"))) << "a number is not text";
    EXPECT_FALSE(ask("u:missing", "<>", std::string("x")));

    SQLite::Statement none(db, "SELECT indexed_match(NULL, 'subject', '<>', 'x')");
    none.executeStep();
    EXPECT_EQ(none.getColumn(0).getInt(), 0);
    SQLite::Statement damaged(db, "SELECT indexed_match(?, 'subject', '=', 'x')");
    damaged.bind(1, bytes.data(), 3);
    EXPECT_THROW(damaged.executeStep(), SQLite::Exception);
}

}  // namespace
}  // namespace ostrellix::standin::outlook
