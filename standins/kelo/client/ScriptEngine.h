#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

// The client's script engine, for the subset of its script language that
// add-ins hand over (one statement per line; keywords and names without
// regard to case; ' starts a comment):
//
//   Option Explicit                      variables must be declared
//   Dim a, b                             declares variables
//   Set a = CreateObject("Prog.ID")      an object of a registered class
//   Set a = Application | b | Nothing    the client, another variable, none
//   Set a.Member = Application | b | Nothing
//                                        sets an object property (by reference)
//   a.Member [argument, ...]             calls a method; arguments are
//   Call a.Member(argument, ...)         "texts", numbers, True, False,
//                                        Nothing, Application or variables
//
// Members are reached by name through IDispatch. Anything else, and every
// failure, raises an error that names the line; variables are released
// when the script ends (or by Set a = Nothing).
class ScriptEngine {
public:
    using Creator = std::function<ObjectPtr(std::string_view progId)>;

    ScriptEngine(Creator create, ObjectPtr application);
    void Run(std::string_view script);

private:
    struct Token {
        enum class Kind { Name, Text, Number, Symbol } kind;
        std::string value;
    };

    void Execute(const std::vector<Token>& tokens);
    Variant Expression(const std::vector<Token>& tokens, std::size_t& at);
    Variant Argument(const Token& token);
    Variant& Variable(const std::string& name);
    ObjectPtr ObjectOf(const std::string& name);
    static std::vector<Token> Tokens(std::string_view line);
    [[noreturn]] static void SyntaxError(const std::string& what);

    Creator create_;
    ObjectPtr application_;
    std::map<std::string, Variant> variables_;
    bool explicit_ = false;
};

}  // namespace ostrellix::standin::kelo
