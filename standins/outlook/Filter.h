#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::standin::outlook {

// A parsed Items filter, as Outlook's Find and Restrict take them:
//
//   filter    := or
//   or        := and { OR and }
//   and       := unary { AND unary }
//   unary     := NOT unary | "(" or ")" | condition
//   condition := "[" name "]" op value
//   op        := "=" | "<>" | "<" | ">" | "<=" | ">="
//   value     := 'text' | "text" | a bare word (a number, True, False)
//
// Keywords in any letter case; a quote doubled inside a quoted value stands
// for one. Parse raises Outlook's "Cannot parse condition" error, naming
// where the text goes wrong. What a value means (text, number, date) is
// decided by the property it is compared with, when the filter is applied.
class Filter {
public:
    enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };
    // The operator as a filter (and SQL) writes it.
    static const char* OperatorText(Op op);

    struct Value {
        std::string text;
        bool quoted = false;
    };

    struct Node {
        enum class Kind { Condition, And, Or, Not };
        Kind kind = Kind::Condition;
        std::string property;  // Condition
        Op op = Op::Equal;     // Condition
        Value value;           // Condition
        std::vector<Node> children;  // And, Or (two or more), Not (one)
    };

    static Filter Parse(std::string_view text);

    const Node& Root() const { return root_; }
    const std::string& Text() const { return text_; }

private:
    Filter(std::string text, Node root) : text_(std::move(text)), root_(std::move(root)) {}

    std::string text_;
    Node root_;
};

}  // namespace ostrellix::standin::outlook
