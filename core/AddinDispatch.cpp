#include <array>

#include "core/Addin.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

using Arguments = std::vector<Variant>;

// A member of Addin's own interface as late binding reaches it: read as a
// property or called as a method alike, as the client's script language does.
struct Member {
    const char* name;
    std::size_t arguments;
    Variant (*call)(Addin& addin, const Arguments& a);
};

// Members without arguments or result, members on a context, and object properties.
template <void (Addin::*member)()>
Variant Sub(Addin& addin, const Arguments&) {
    (addin.*member)();
    return {};
}

template <void (Addin::*member)(const ObjectPtr&)>
Variant OnObject(Addin& addin, const Arguments& a) {
    (addin.*member)(a[0].ToObject());
    return {};
}

template <auto member>
Variant Get(Addin& addin, const Arguments&) {
    return Variant(ObjectPtr((addin.*member)()));
}

const std::array kMembers = {
    Member{"Options", 0, Get<&Addin::Options>},
    Member{"Synchronizer", 0, Get<&Addin::Synchronizer>},
    Member{"Application", 0, Get<&Addin::Application>},
    Member{"Outlook", 0, Get<&Addin::Outlook>},
    Member{"ResourceBundle", 0, Get<&Addin::ResourceBundle>},
    Member{"Redemption", 0, Get<&Addin::Redemption>},
    Member{"AddObject", 1, OnObject<&Addin::AddObject>},
    Member{"RemoveObject", 1, OnObject<&Addin::RemoveObject>},
    Member{"AllowShutdownWithExternalReferences", 0, Sub<&Addin::AllowShutdownWithExternalReferences>},
    Member{"StartOutlook", 0, Sub<&Addin::StartOutlook>},
    Member{"Synchronize", 0, Sub<&Addin::Synchronize>},
    Member{"AddFolderPanes", 0, Sub<&Addin::AddFolderPanes>},
    Member{"RemoveFolderPanes", 0, Sub<&Addin::RemoveFolderPanes>},
    Member{"TruncateDescription", 2,
           [](Addin&, const Arguments& a) {
               return Variant(Addin::TruncateDescription(a[0].ToString(), a[1].ToInteger()));
           }},
    Member{"DisplayItem", 1, OnObject<&Addin::DisplayItem>},
    Member{"ForwardMail", 1, OnObject<&Addin::ForwardMail>},
    Member{"NewAppointment", 2,
           [](Addin& addin, const Arguments& a) {
               addin.NewAppointment(a[0].ToObject(), a[1].ToBoolean());
               return Variant();
           }},
    Member{"NewMail", 1, OnObject<&Addin::NewMail>},
    Member{"NewMeeting", 1, OnObject<&Addin::NewMeeting>},
    Member{"NewTask", 1, OnObject<&Addin::NewTask>},
    Member{"ReplyAllMail", 1, OnObject<&Addin::ReplyAllMail>},
    Member{"ReplyMail", 1, OnObject<&Addin::ReplyMail>},
    Member{"SendContacts", 2,
           [](Addin& addin, const Arguments& a) {
               addin.SendContacts(a[0].ToString(), a[1].ToObject());
               return Variant();
           }},
    Member{"SendToOutlook", 1, OnObject<&Addin::SendToOutlook>},
    Member{"PickOutlookRecipient", 0, Get<&Addin::PickOutlookRecipient>},
    Member{"CreateCategories", 0, Sub<&Addin::CreateCategories>},
    Member{"IsValidEMailAddress", 1,
           [](Addin&, const Arguments& a) { return Variant(Addin::IsValidEMailAddress(a[0])); }},
};

}  // namespace

Variant Addin::Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) {
    if (kind != InvokeKind::Method && kind != InvokeKind::PropertyGet) RaiseRuntimeError(errors::NotSupported);
    for (const Member& known : kMembers) {
        if (!text::EqualsIgnoreCase(member, known.name)) continue;
        if (arguments.size() != known.arguments) RaiseRuntimeError(errors::WrongNumberOfArguments);
        return known.call(*this, arguments);
    }
    RaiseRuntimeError(errors::NotSupported);
}

}  // namespace ostrellix::addin
