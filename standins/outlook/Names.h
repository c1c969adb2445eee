#pragma once

// Short names for the namespaces this stand-in works with: the Outlook and
// Office contracts it implements, and the MAPI message model its store keeps.
namespace ostrellix::outlook {}
namespace ostrellix::office {}
namespace ostrellix::standin::message {}

namespace ostrellix::standin::outlook {
namespace ol = ::ostrellix::outlook;
namespace office = ::ostrellix::office;
namespace msg = ::ostrellix::standin::message;
}  // namespace ostrellix::standin::outlook
