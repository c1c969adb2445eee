#pragma once

#include <optional>
#include <string>

#include "apps/ostrellix/Host.h"

namespace ostrellix::host {

// `ostrellix xml FILE [--out PATH]`: the item XML of a ".msg" or ".eml"
// file, as the add-in hands it to Kelo: the file is imported into Outlook's
// Drafts through the MAPI library, extracted, and taken out again.
class XmlCommand {
public:
    static int Run(Host& host, const std::string& path, const std::optional<std::string>& outPath);
};

}  // namespace ostrellix::host
