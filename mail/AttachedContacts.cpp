#include "mail/AttachedContacts.h"

#include <cstdio>
#include <pugixml.hpp>

#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "mail/ItemToXML.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kImportContacts = 16;

}  // namespace

void AttachedContacts::Import(const Ptr<outlook::IMailItem>& mail) {
    const auto application = Globals::Application();
    const auto utility = application->Utility();
    const auto message = Globals::Redemption()->GetMessageFromID(Must(mail).EntryID());
    const auto attachments = message->Attachments();
    std::vector<std::string> files;
    const auto forgetFiles = [&] {
        for (const std::string& file : files) IgnoreErrors([&] { std::remove(file.c_str()); });
    };
    PassOn(
        [&] {
            for (std::int32_t i = 1; i <= attachments->Count(); ++i) {
                const auto attachment = attachments->Item(i);
                const std::string extension = text::LCase(utility->GetExtension(attachment->FileName()));
                if (extension == "vcf") {
                    files.push_back(Tools::MakeTempFileName("vcf"));
                    attachment->SaveAsFile(files.back());
                } else if (extension == "msg" && attachment->Type() == outlook::olEmbeddeditem) {
                    pugi::xml_document xml;
                    ItemToXML().ExtractXml(attachment->EmbeddedMsg(), xml);
                    if (std::string_view(xml.document_element().name()) != "IPM") continue;
                    files.push_back(Tools::MakeTempFileName("xml"));
                    if (!xml.save_file(files.back().c_str())) Tools::RaiseError("Cannot write the file " + files.back());
                }
            }
            if (files.empty()) return;
            VariantArray source;
            for (const std::string& file : files) source.emplace_back(file);
            const auto import = application->ContactImport();
            import->SetValue("Delay", Variant(true));
            import->SetValue("Source", Variant(std::move(source)));
            import->Run(kImportContacts);
        },
        forgetFiles);
    forgetFiles();
}

}  // namespace ostrellix::addin
