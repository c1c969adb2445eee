#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/ComError.h"
#include "standins/outlook/Filter.h"
#include "standins/outlook/FilterQuery.h"

using namespace ostrellix;
using namespace ostrellix::standin::outlook;

namespace {

using Node = Filter::Node;

std::string ValueText(const Filter::Value& value) {
    if (!value.quoted) return value.text;
    std::string text = "\"";
    for (const char c : value.text) text += c == '"' ? std::string("\"\"") : std::string(1, c);
    return text + "\"";
}

// Writes a parsed filter back as filter text, every compound operand in
// parentheses so that the grouping survives.
std::string Write(const Node& node) {
    const auto operand = [](const Node& child) {
        return child.kind == Node::Kind::Condition ? Write(child) : "(" + Write(child) + ")";
    };
    switch (node.kind) {
        case Node::Kind::Condition:
            return "[" + node.property + "] " + Filter::OperatorText(node.op) + " " + ValueText(node.value);
        case Node::Kind::Not:
            return "NOT " + operand(node.children.at(0));
        case Node::Kind::And:
        case Node::Kind::Or: {
            std::string text;
            for (const Node& child : node.children) {
                if (!text.empty()) text += node.kind == Node::Kind::And ? " AND " : " OR ";
                text += operand(child);
            }
            return text;
        }
    }
    std::abort();
}

bool Same(const Node& a, const Node& b) {
    if (a.kind != b.kind || a.property != b.property || a.op != b.op || a.value.text != b.value.text ||
        a.value.quoted != b.value.quoted || a.children.size() != b.children.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.children.size(); ++i) {
        if (!Same(a.children[i], b.children[i])) return false;
    }
    return true;
}

}  // namespace

// A filter that parses reads the same when written back; turning it into
// the store's query either works or raises Outlook's error.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const Filter filter = Filter::Parse(text);
        const std::string written = Write(filter.Root());
        try {
            if (!Same(Filter::Parse(written).Root(), filter.Root())) std::abort();
        } catch (const ComError&) {
            std::abort();
        }
        // Lookups find none, one or two items, by the length of their SQL.
        const FilterQuery query(filter, 1, [](const std::string& sql, const std::vector<FilterQuery::Parameter>&) {
            return std::vector<std::int64_t>(sql.size() % 3, 7);
        });
        if (query.Sql().empty() || query.MatchSql().empty()) std::abort();
    } catch (const ComError&) {
    }
    return 0;
}
