#pragma once

#include "runtime/Guid.h"

// Property sets of named properties besides PublicStrings() (PropertyBag.h).
namespace ostrellix::standin::message::psets {

Guid Mapi();             // {00020328-0000-0000-C000-000000000046} PS_MAPI
Guid InternetHeaders();  // {00020386-0000-0000-C000-000000000046} PS_INTERNET_HEADERS
Guid Appointment();      // {00062002-0000-0000-C000-000000000046} PSETID_Appointment
Guid Task();             // {00062003-0000-0000-C000-000000000046} PSETID_Task
Guid Address();          // {00062004-0000-0000-C000-000000000046} PSETID_Address
Guid Common();           // {00062008-0000-0000-C000-000000000046} PSETID_Common
Guid Meeting();          // {6ED8DA90-450B-101B-98DA-00AA003F1305} PSETID_Meeting

}  // namespace ostrellix::standin::message::psets
