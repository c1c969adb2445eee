#pragma once

#include <cstdint>
#include <string>

#include "contracts/outlook/IPropertyAccessor.h"
#include "standins/mapi/Names.h"
#include "standins/message/MessageFileHost.h"
#include "standins/outlook/Instance.h"
#include "standins/outlook/MapiLogon.h"
#include "standins/outlook/PropertyAccessor.h"

namespace ostrellix::standin::mapi {

// The library's hold on a profile: the MAPI session Outlook handed over
// (its MAPIOBJECT). Every object of a logon shares it. Once that Outlook has
// quit, Profile() and every property accessor raise the disconnected error,
// as a MAPI session of an Outlook that went away fails.
class SessionLink {
public:
    explicit SessionLink(Ptr<outlook::MapiLogon> logon) : logon_(std::move(logon)) {}

    bool Connected() const { return logon_->Connected(); }
    outlook::Profile& Profile() const { return logon_->Session(); }
    const Ptr<outlook::MapiLogon>& Logon() const { return logon_; }
    // A change to the store is a call into that Outlook: its folders hear
    // of it once the change is done.
    [[nodiscard]] outlook::Instance::Call Entered() const { return logon_->Program()->Enter(); }
    // Message files are read and written as on the machine of that Outlook.
    msg::MessageFileHost FileHost() const;

    // Properties by schema name over a property bag; read-only without an editor.
    Ptr<ol::IPropertyAccessor> Accessor(outlook::PropertyAccessor::Reader read,
                                        outlook::PropertyAccessor::Editor edit = nullptr) const;

    // ".../proptag/0x0037001F" for a tag.
    static std::string SchemaName(std::uint32_t tag);

private:
    Ptr<outlook::MapiLogon> logon_;
};

}  // namespace ostrellix::standin::mapi
