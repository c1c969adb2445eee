#pragma once

// Short names for the namespaces this stand-in works with. Inside
// ostrellix::standin, "mapi" and "outlook" are the stand-ins themselves, so
// the contracts it implements get names of their own: `api` for the MAPI
// library's interfaces, `ol` for Outlook's.
namespace ostrellix::mapi {}
namespace ostrellix::outlook {}
namespace ostrellix::standin::message {}
namespace ostrellix::standin::outlook::mapi {}

namespace ostrellix::standin::mapi {
namespace api = ::ostrellix::mapi;
namespace ol = ::ostrellix::outlook;
namespace msg = ::ostrellix::standin::message;
// MAPI tags and named properties beyond the message model's, as the Outlook store keeps them.
namespace names = ::ostrellix::standin::outlook::mapi;
}  // namespace ostrellix::standin::mapi
