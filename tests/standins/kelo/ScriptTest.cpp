#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "runtime/IDispatch.h"
#include "runtime/Text.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

// An object a script drives by member name; it notes what was done to it.
class ScriptTarget final : public IDispatch {
public:
    explicit ScriptTarget(std::vector<std::string>& journal) : journal_(journal) {}
    ~ScriptTarget() override { journal_.push_back("released"); }

    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override {
        if (kind == InvokeKind::PropertyPutRef && text::EqualsIgnoreCase(member, "Application")) {
            journal_.push_back(Is<ostrellix::kelo::IApplication>(arguments.at(0).ToObject()) ? "application set"
                                                                                              : "something else set");
            return {};
        }
        if (kind == InvokeKind::Method && text::EqualsIgnoreCase(member, "Synchronize")) {
            std::string call = "synchronize";
            for (const Variant& argument : arguments) call += " " + argument.ToString();
            journal_.push_back(call);
            return {};
        }
        if (kind == InvokeKind::Method && text::EqualsIgnoreCase(member, "Fail")) {
            throw ComError(9999, "Target", "it failed");
        }
        RaiseRuntimeError(errors::NotSupported);
    }

private:
    std::vector<std::string>& journal_;
};

class ScriptTest : public KeloFixture {
protected:
    ScriptTest() {
        factory.Register("Test.Target", [this] { return std::make_shared<ScriptTarget>(journal); });
    }
    std::string ErrorOf(const std::string& script) {
        try {
            App().RunScript(script, false);
        } catch (const ComError& error) {
            return error.Description();
        }
        return "no error";
    }
    std::vector<std::string> journal;
};

TEST_F(ScriptTest, TheStartUpScriptRunsAgainstObjectsByName) {
    App().RunScript("Dim SynchronizerX\r\n"
                    "Set SynchronizerX = CreateObject(\"Test.Target\")\r\n"
                    "Set SynchronizerX.Application = Application\r\n"
                    "SynchronizerX.Synchronize\r\n"
                    "Set SynchronizerX = Nothing\r\n",
                    false);
    EXPECT_EQ(journal, (std::vector<std::string>{"application set", "synchronize", "released"}));
}

TEST_F(ScriptTest, ADeferredScriptRunsWhenTheClientGetsToItAndAFailureIsLogged) {
    App().RunScript("Set x = CreateObject(\"Test.Target\")\nx.Synchronize \"full\", 2, True", true);
    App().RunScript("Set y = CreateObject(\"Test.Target\")\ny.Fail", true);
    EXPECT_TRUE(journal.empty());
    std::vector<std::string> failures;
    Connection failed = App().ScriptFailed.Connect([&](const ComError& error) { failures.push_back(error.Description()); });
    App().RunPending();
    EXPECT_EQ(journal, (std::vector<std::string>{"synchronize full 2 True", "released", "released"}));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0], "Script line 2 (y.Fail): it failed");
}

TEST_F(ScriptTest, AnythingOutsideTheSubsetIsAnErrorNamingTheLine) {
    EXPECT_EQ(ErrorOf("Dim a\nMsgBox \"hello\""),
              "Script line 2 (MsgBox \"hello\"): Syntax error: the statement \"MsgBox\" is not part of this script language");
    EXPECT_NE(ErrorOf("Dim a\na = 5").find("Script line 2"), std::string::npos);
    EXPECT_NE(ErrorOf("Set a = CreateObject(\"No.Such\")").find("Script line 1"), std::string::npos);
    EXPECT_NE(ErrorOf("a.Synchronize").find("Object required"), std::string::npos);
    EXPECT_NE(ErrorOf("Set a = CreateObject(\"Test.Target\")\na.Jump").find("Script line 2"), std::string::npos);
    EXPECT_NE(ErrorOf("Option Explicit\nSet a = Nothing").find("Variable is undefined"), std::string::npos);
    EXPECT_NE(ErrorOf("Set Application = Nothing").find("cannot be assigned"), std::string::npos);
    EXPECT_NE(ErrorOf("Set a = CreateObject(\"Test.Target\"").find("CreateObject takes"), std::string::npos);
    EXPECT_EQ(ErrorOf("' a comment\n\nRem another\nDim a, b"), "no error");
    // Objects made before a failure are released with the script.
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "released"), 1);
}

}  // namespace
}  // namespace ostrellix::standin::kelo
