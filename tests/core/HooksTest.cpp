#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/Addin.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/engine/UsageRecorder.h"
#include "tests/support/AddinWorld.h"

namespace ostrellix::addin {
namespace {

using testing::AddinWorld;

// Stand-ins for what callers hand the hooks: the host only passes them on.
struct Thing : Object {};

struct HookCase {
    const char* hook;
    const char* event;
    // The parameters as the host must see them, in order; a name maps to
    // the argument it carries ("record", "item", "context", "handler",
    // "file" or "" for nothing).
    std::vector<std::pair<std::string, std::string>> parameters;
    const char* usage;  // nullptr: nothing recorded
    std::function<bool(Addin&, const Ptr<kelo::IRecord>&, const ObjectPtr& item, const ObjectPtr& context,
                       const ObjectPtr& handler)>
        call;
};

const std::vector<HookCase>& Cases() {
    static const std::vector<HookCase> cases = {
        {"OnNewAppointment", "NewAppointment", {{"Record", "record"}}, "new_appointment;outlook_action;outlook",
         [](Addin& a, auto& r, auto&, auto&, auto&) { return a.OnNewAppointment(r); }},
        {"OnNewTask", "NewTask", {{"Record", "record"}}, "new_task;outlook_action;outlook",
         [](Addin& a, auto& r, auto&, auto&, auto&) { return a.OnNewTask(r); }},
        {"OnNewMail", "NewMail",
         {{"Record", "record"}, {"Item", "item"}, {"MailItem", "item"}, {"Context", "context"}, {"Handler", ""}},
         nullptr, [](Addin& a, auto& r, auto& i, auto& c, auto&) { return a.OnNewMail(r, i, c); }},
        {"OnNewMailWithHandler", "NewMail",
         {{"Record", "record"}, {"Item", "item"}, {"MailItem", "item"}, {"Context", "context"}, {"Handler", "handler"}},
         nullptr, [](Addin& a, auto& r, auto& i, auto& c, auto& h) { return a.OnNewMailWithHandler(r, i, c, h); }},
        {"OnDropFile", "DropFile", {{"FileName", "file"}, {"Context", "context"}}, nullptr,
         [](Addin& a, auto&, auto&, auto& c, auto&) { return a.OnDropFile("C:\\mail.msg", c); }},
        {"OnDropItem", "DropItem", {{"Item", "item"}, {"Context", "context"}}, nullptr,
         [](Addin& a, auto&, auto& i, auto& c, auto&) { return a.OnDropItem(i, c); }},
        {"OnNewOutgoingMail", "NewOutgoingMail", {{"Item", "item"}, {"MailItem", "item"}, {"Context", "context"}},
         nullptr, [](Addin& a, auto&, auto& i, auto& c, auto&) { return a.OnNewOutgoingMail(i, c); }},
        {"OnMailSent", "MailSent",
         {{"Item", "item"}, {"MailItem", "item"}, {"Context", "context"}, {"Handler", ""}},
         "mail_sent;outlook_action;outlook",
         [](Addin& a, auto&, auto& i, auto& c, auto&) { return a.OnMailSent(i, c); }},
        {"OnMailSentWithHandler", "MailSent",
         {{"Item", "item"}, {"MailItem", "item"}, {"Context", "context"}, {"Handler", "handler"}},
         "mail_sent;outlook_action;outlook",
         [](Addin& a, auto&, auto& i, auto& c, auto& h) { return a.OnMailSentWithHandler(i, c, h); }},
    };
    return cases;
}

TEST(HooksTest, EachHookRaisesItsEventWithItsParametersAndAnswersTheNegatedFlag) {
    for (const HookCase& hook : Cases()) {
        SCOPED_TRACE(hook.hook);
        for (const bool claimed : {false, true}) {
            SCOPED_TRACE(claimed ? "claimed" : "not claimed");
            AddinWorld world;
            auto& kelo = world.Kelo();
            const auto window = world.User().OpenRecord("company", 1);
            const Ptr<kelo::IRecord> record = window->Record();
            const ObjectPtr item = std::make_shared<Thing>();
            const ObjectPtr handler = std::make_shared<Thing>();
            if (claimed) kelo.ScriptEvents().Claim(hook.event);
            // A parameter left over from someone else must not reach the event.
            kelo.SetEventParameter("Leftover", Variant(1));

            EXPECT_EQ(hook.call(*world.TheAddin(), record, item, window, handler), !claimed);

            const auto& raised = kelo.ScriptEvents().History().back();
            EXPECT_EQ(raised.source, "Ostrellix");
            EXPECT_EQ(raised.name, hook.event);
            ASSERT_EQ(raised.parameters.size(), hook.parameters.size());
            for (std::size_t i = 0; i < hook.parameters.size(); ++i) {
                const auto& [name, carries] = hook.parameters[i];
                const Variant& value = raised.parameters[i].second;
                EXPECT_EQ(raised.parameters[i].first, name);
                if (carries == "file") {
                    EXPECT_EQ(value.ToString(), "C:\\mail.msg");
                } else {
                    const ObjectPtr expected = carries == "record"    ? ObjectPtr(record)
                                               : carries == "item"    ? item
                                               : carries == "context" ? ObjectPtr(window)
                                               : carries == "handler" ? handler
                                                                      : nullptr;
                    ASSERT_TRUE(value.IsObject()) << name;
                    EXPECT_EQ(value.ToObject(), expected) << name;
                }
            }
            const auto usage = kelo.Usage().Recorded();
            EXPECT_EQ(usage, hook.usage ? std::vector<std::string>{hook.usage} : std::vector<std::string>{});

            // The parameters are cleared again afterwards.
            kelo.RaiseEvent("Probe", "Probe");
            EXPECT_TRUE(kelo.ScriptEvents().History().back().parameters.empty());
        }
    }
}

}  // namespace
}  // namespace ostrellix::addin
