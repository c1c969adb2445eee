#include "standins/outlook/Filter.h"

#include "runtime/Text.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    Filter::Node ParseAll() {
        Filter::Node root = ParseOr();
        SkipBlanks();
        if (pos_ != text_.size()) Fail();
        return root;
    }

private:
    using Node = Filter::Node;

    [[noreturn]] void Fail() const {
        const std::string rest(text_.substr(pos_));
        errors::Raise(errors::kCannotParse,
                      "Cannot parse condition. Error at \"" + (rest.empty() ? std::string("end of filter") : rest) +
                          "\" in the filter \"" + std::string(text_) + "\".");
    }

    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' ||
                                       text_[pos_] == '\n')) {
            ++pos_;
        }
    }

    // A keyword (AND, OR, NOT) followed by a blank or a parenthesis.
    bool TakeKeyword(std::string_view keyword) {
        SkipBlanks();
        if (text_.size() - pos_ <= keyword.size()) return false;
        if (!text::EqualsIgnoreCase(text_.substr(pos_, keyword.size()), keyword)) return false;
        const char next = text_[pos_ + keyword.size()];
        if (next != ' ' && next != '(' && next != '\t' && next != '\r' && next != '\n') return false;
        pos_ += keyword.size();
        return true;
    }

    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    Node Join(Node::Kind kind, Node first, bool (Parser::*more)(), Node (Parser::*next)()) {
        if (!(this->*more)()) return first;
        Node joined;
        joined.kind = kind;
        joined.children.push_back(std::move(first));
        do {
            joined.children.push_back((this->*next)());
        } while ((this->*more)());
        return joined;
    }

    bool TakeOr() { return TakeKeyword("OR"); }
    bool TakeAnd() { return TakeKeyword("AND"); }

    Node ParseOr() { return Join(Node::Kind::Or, ParseAnd(), &Parser::TakeOr, &Parser::ParseAnd); }
    Node ParseAnd() { return Join(Node::Kind::And, ParseUnary(), &Parser::TakeAnd, &Parser::ParseUnary); }

    Node ParseUnary() {
        if (TakeKeyword("NOT")) {
            const Nesting nested(*this);
            Node negation;
            negation.kind = Node::Kind::Not;
            negation.children.push_back(ParseUnary());
            return negation;
        }
        if (Take('(')) {
            const Nesting nested(*this);
            Node inner = ParseOr();
            if (!Take(')')) Fail();
            return inner;
        }
        return ParseCondition();
    }

    // Parentheses and NOTs nest by recursion; a filter nested deeper than
    // any real one is refused before it exhausts the stack.
    class Nesting {
    public:
        explicit Nesting(Parser& parser) : parser_(parser) {
            if (++parser_.depth_ > kMaxDepth) parser_.Fail();
        }
        ~Nesting() { --parser_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        Parser& parser_;
    };
    static constexpr int kMaxDepth = 100;

    Node ParseCondition() {
        if (!Take('[')) Fail();
        const std::size_t close = text_.find(']', pos_);
        if (close == std::string_view::npos) Fail();
        Node condition;
        condition.property = text::Trim(text_.substr(pos_, close - pos_));
        if (condition.property.empty()) Fail();
        pos_ = close + 1;
        condition.op = ParseOp();
        condition.value = ParseValue();
        return condition;
    }

    Filter::Op ParseOp() {
        SkipBlanks();
        const std::string_view rest = text_.substr(pos_);
        struct Symbol {
            std::string_view text;
            Filter::Op op;
        };
        static constexpr Symbol symbols[] = {{"<>", Filter::Op::NotEqual}, {"<=", Filter::Op::LessEqual},
                                             {">=", Filter::Op::GreaterEqual}, {"=", Filter::Op::Equal},
                                             {"<", Filter::Op::Less}, {">", Filter::Op::Greater}};
        for (const Symbol& symbol : symbols) {
            if (rest.substr(0, symbol.text.size()) == symbol.text) {
                pos_ += symbol.text.size();
                return symbol.op;
            }
        }
        Fail();
    }

    Filter::Value ParseValue() {
        SkipBlanks();
        if (pos_ >= text_.size()) Fail();
        const char quote = text_[pos_];
        if (quote == '\'' || quote == '"') {
            Filter::Value value{"", true};
            for (std::size_t i = pos_ + 1; i < text_.size(); ++i) {
                if (text_[i] != quote) {
                    value.text += text_[i];
                } else if (i + 1 < text_.size() && text_[i + 1] == quote) {
                    value.text += quote;
                    ++i;
                } else {
                    pos_ = i + 1;
                    return value;
                }
            }
            Fail();
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != ' ' && text_[pos_] != ')' && text_[pos_] != '(' &&
               text_[pos_] != '\t') {
            ++pos_;
        }
        if (pos_ == start) Fail();
        return {std::string(text_.substr(start, pos_ - start)), false};
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

}  // namespace

Filter Filter::Parse(std::string_view text) {
    Node root = Parser(text).ParseAll();
    return Filter(std::string(text), std::move(root));
}

const char* Filter::OperatorText(Op op) {
    switch (op) {
        case Op::Equal: return "=";
        case Op::NotEqual: return "<>";
        case Op::Less: return "<";
        case Op::Greater: return ">";
        case Op::LessEqual: return "<=";
        case Op::GreaterEqual: return ">=";
    }
    return "=";
}

}  // namespace ostrellix::standin::outlook
