#pragma once

struct sqlite3;

namespace ostrellix::standin::kelo {

// The text comparison the data engine's SQL relies on, registered on every
// connection: the collation KELO_NOCASE (equality and order without regard
// to case over all of Unicode, so that "ÅSA" equals "åsa"; text columns are
// declared with it and their indexes follow it) and the function
// kelo_contains(text, part), true when `part` occurs anywhere in `text`
// without regard to case. A database that uses them can be read by other
// SQLite programs only after they register the same.
class SqlFunctions {
public:
    static void Register(sqlite3* db);
    // The collation's comparison: negative, zero or positive.
    static int Compare(const char* a, int aLength, const char* b, int bLength);
    static bool Contains(const char* text, int textLength, const char* part, int partLength);
};

}  // namespace ostrellix::standin::kelo
