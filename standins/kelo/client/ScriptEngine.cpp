#include "standins/kelo/client/ScriptEngine.h"

#include <cctype>

#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/IDispatch.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/EngineError.h"

namespace ostrellix::standin::kelo {

namespace {

constexpr const char* kSource = "Kelo script";
constexpr std::int32_t kSyntaxError = 1002;
constexpr std::int32_t kVariableUndefined = 500;

bool Is(const std::string& word, const char* keyword) { return text::EqualsIgnoreCase(word, keyword); }

// Thrown inside a line; Run adds the line number and text.
struct LineError {
    std::int32_t number;
    std::string source;
    std::string description;
};

}  // namespace

ScriptEngine::ScriptEngine(Creator create, ObjectPtr application)
    : create_(std::move(create)), application_(std::move(application)) {}

void ScriptEngine::SyntaxError(const std::string& what) { throw LineError{kSyntaxError, kSource, "Syntax error: " + what}; }

std::vector<ScriptEngine::Token> ScriptEngine::Tokens(std::string_view line) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
        } else if (c == '\'') {
            break;
        } else if (c == '"') {
            std::string value;
            ++at;
            for (;;) {
                if (at >= line.size()) SyntaxError("a text is not closed");
                if (line[at] == '"') {
                    if (at + 1 < line.size() && line[at + 1] == '"') {
                        value += '"';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                value += line[at++];
            }
            tokens.push_back({Token::Kind::Text, value});
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            std::size_t end = at;
            while (end < line.size() && (std::isalnum(static_cast<unsigned char>(line[end])) || line[end] == '_')) ++end;
            tokens.push_back({Token::Kind::Name, std::string(line.substr(at, end - at))});
            at = end;
        } else if (std::isdigit(static_cast<unsigned char>(c)) || (c == '-' && at + 1 < line.size() &&
                                                                    std::isdigit(static_cast<unsigned char>(line[at + 1])))) {
            std::size_t end = at + 1;
            while (end < line.size() && (std::isdigit(static_cast<unsigned char>(line[end])) || line[end] == '.')) ++end;
            tokens.push_back({Token::Kind::Number, std::string(line.substr(at, end - at))});
            at = end;
        } else if (c == '.' || c == '=' || c == '(' || c == ')' || c == ',') {
            tokens.push_back({Token::Kind::Symbol, std::string(1, c)});
            ++at;
        } else {
            SyntaxError(std::string("the character '") + c + "' is not understood");
        }
    }
    if (tokens.empty() || !Is(tokens.front().value, "Rem")) return tokens;
    return {};
}

void ScriptEngine::Run(std::string_view script) {
    std::vector<std::string> lines = text::Split(script, "\n");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = text::Trim(text::Replace(lines[i], "\r", ""));
        try {
            Execute(Tokens(line));
        } catch (const LineError& error) {
            variables_.clear();
            throw ComError(error.number, error.source,
                           "Script line " + std::to_string(i + 1) + " (" + line + "): " + error.description);
        } catch (...) {
            const ComError error = CurrentError();
            variables_.clear();
            throw ComError(error.Number(), error.Source(),
                           "Script line " + std::to_string(i + 1) + " (" + line + "): " + error.Description(),
                           error.HelpFile(), error.HelpContext());
        }
    }
    variables_.clear();
}

// An undeclared name is a new empty variable, unless Option Explicit is on.
Variant& ScriptEngine::Variable(const std::string& name) {
    if (Is(name, "Application") || Is(name, "Nothing") || Is(name, "CreateObject")) {
        SyntaxError(Quoted(name) + " cannot be assigned");
    }
    const std::string key = text::LCase(name);
    const auto found = variables_.find(key);
    if (found != variables_.end()) return found->second;
    if (explicit_) throw LineError{kVariableUndefined, kSource, "Variable is undefined: " + name};
    return variables_[key];
}

ObjectPtr ScriptEngine::ObjectOf(const std::string& name) {
    const Variant& value = Is(name, "Application") ? Variant(application_) : Variable(name);
    if (!value.IsObject() || value.IsNothing()) {
        throw LineError{errors::ObjectRequired, kSource, "Object required: " + Quoted(name)};
    }
    return value.ToObject();
}

Variant ScriptEngine::Argument(const Token& token) {
    switch (token.kind) {
        case Token::Kind::Text: return Variant(token.value);
        case Token::Kind::Number:
            return token.value.find('.') != std::string::npos ? Variant(std::stod(token.value))
                                                               : Variant(std::stoi(token.value));
        case Token::Kind::Name:
            if (Is(token.value, "True")) return Variant(true);
            if (Is(token.value, "False")) return Variant(false);
            if (Is(token.value, "Nothing")) return Variant(ObjectPtr());
            if (Is(token.value, "Application")) return Variant(application_);
            return Variable(token.value);
        case Token::Kind::Symbol: break;
    }
    SyntaxError("an argument was expected, not " + Quoted(token.value));
}

Variant ScriptEngine::Expression(const std::vector<Token>& tokens, std::size_t& at) {
    if (at >= tokens.size() || tokens[at].kind != Token::Kind::Name) SyntaxError("an object was expected after \"=\"");
    const std::string word = tokens[at++].value;
    if (Is(word, "CreateObject")) {
        if (at + 3 > tokens.size() || tokens[at].value != "(" || tokens[at + 1].kind != Token::Kind::Text ||
            tokens[at + 2].value != ")") {
            SyntaxError("CreateObject takes one ProgID in quotes: CreateObject(\"Prog.ID\")");
        }
        const std::string progId = tokens[at + 1].value;
        at += 3;
        return Variant(create_(progId));
    }
    if (Is(word, "Nothing")) return Variant(ObjectPtr());
    if (Is(word, "Application")) return Variant(application_);
    const Variant& value = Variable(word);
    if (!value.IsObject()) throw LineError{errors::ObjectRequired, kSource, "Object required: " + Quoted(word)};
    return value;
}

void ScriptEngine::Execute(const std::vector<Token>& tokens) {
    if (tokens.empty()) return;
    const auto name = [&](std::size_t i) -> const std::string& {
        if (i >= tokens.size() || tokens[i].kind != Token::Kind::Name) SyntaxError("a name was expected");
        return tokens[i].value;
    };
    const std::string& first = name(0);
    if (Is(first, "Option")) {
        if (tokens.size() != 2 || !Is(name(1), "Explicit")) SyntaxError("only \"Option Explicit\" is known");
        explicit_ = true;
        return;
    }
    if (Is(first, "Dim")) {
        for (std::size_t i = 1; i < tokens.size(); i += 2) {
            const std::string key = text::LCase(name(i));
            if (Is(key, "Application")) SyntaxError("\"Application\" cannot be declared");
            variables_.try_emplace(key);
            if (i + 1 < tokens.size() && tokens[i + 1].value != ",") SyntaxError("names after Dim are separated by \",\"");
        }
        return;
    }
    if (Is(first, "Set")) {
        std::size_t at = 1;
        const std::string target = name(at++);
        std::string member;
        if (at < tokens.size() && tokens[at].value == ".") {
            member = name(at + 1);
            at += 2;
        }
        if (at >= tokens.size() || tokens[at].value != "=") SyntaxError("\"=\" was expected after Set " + target);
        ++at;
        const Variant value = Expression(tokens, at);
        if (at != tokens.size()) SyntaxError("the line goes on after the object");
        if (member.empty()) {
            Variable(target) = value;
            return;
        }
        const auto dispatch = As<IDispatch>(ObjectOf(target));
        if (!dispatch) throw LineError{errors::NotSupported, kSource, "Object doesn't support this property or method: " + target + "." + member};
        dispatch->Invoke(member, InvokeKind::PropertyPutRef, {value});
        return;
    }
    std::size_t at = Is(first, "Call") ? 1 : 0;
    const std::string target = name(at);
    if (at + 2 >= tokens.size() || tokens[at + 1].value != ".") {
        SyntaxError("the statement " + Quoted(first) + " is not part of this script language");
    }
    const std::string member = name(at + 2);
    at += 3;
    std::vector<Variant> arguments;
    const bool parenthesised = at < tokens.size() && tokens[at].value == "(";
    if (parenthesised) ++at;
    while (at < tokens.size() && tokens[at].value != ")") {
        arguments.push_back(Argument(tokens[at++]));
        if (at < tokens.size() && tokens[at].value == ",") ++at;
        else if (at < tokens.size() && tokens[at].value != ")") SyntaxError("arguments are separated by \",\"");
    }
    if (parenthesised != (at < tokens.size())) SyntaxError("the parentheses do not match");
    if (parenthesised && at + 1 != tokens.size()) SyntaxError("the line goes on after \")\"");
    const auto dispatch = As<IDispatch>(ObjectOf(target));
    if (!dispatch) throw LineError{errors::NotSupported, kSource, "Object doesn't support this property or method: " + target + "." + member};
    dispatch->Invoke(member, InvokeKind::Method, arguments);
}

}  // namespace ostrellix::standin::kelo
