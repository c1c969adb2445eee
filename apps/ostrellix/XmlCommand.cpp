#include "apps/ostrellix/XmlCommand.h"

#include <filesystem>
#include <ostream>
#include <pugixml.hpp>
#include <span>
#include <sstream>

#include "contracts/mapi/Constants.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "mail/ItemToXML.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/message/FileIo.h"

namespace ostrellix::host {

namespace {

std::int32_t FormatOf(const std::string& path) {
    const std::string extension = text::LCase(std::filesystem::path(path).extension().string());
    if (extension == ".msg") return mapi::olMSG;
    if (extension == ".eml") return mapi::olRFC822Alt;
    throw ComError(errors::InvalidProcedureCall, "ostrellix", path + " is neither a .msg nor an .eml file");
}

}  // namespace

int XmlCommand::Run(Host& host, const std::string& path, const std::optional<std::string>& outPath) {
    if (!std::filesystem::is_regular_file(path)) {
        throw ComError(errors::FileNotFound, "ostrellix", "There is no file " + path);
    }
    const std::int32_t format = FormatOf(path);
    host.Start();
    const auto drafts = addin::Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts);
    const auto messages = drafts->Import(std::filesystem::absolute(path).string(), format);
    if (messages.empty()) throw ComError(errors::InvalidProcedureCall, "ostrellix", path + " holds no message");

    // The store is left as it was found, whether the extraction works or not.
    const auto takeOut = [&] {
        for (const auto& message : messages) message->Delete();
    };
    pugi::xml_document document;
    PassOn([&] { addin::ItemToXML().ExtractXml(messages.front(), document); }, takeOut);
    takeOut();

    std::ostringstream xml;
    document.save(xml, "  ", pugi::format_indent | pugi::format_no_declaration);
    if (outPath) {
        const std::string text = xml.str();
        standin::message::FileIo::WriteAtomically(
            *outPath, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), "ostrellix");
        host.Out() << "Wrote the XML of " << path << " to " << *outPath << "\n";
    } else {
        host.Out() << xml.str();
    }
    return 0;
}

}  // namespace ostrellix::host
