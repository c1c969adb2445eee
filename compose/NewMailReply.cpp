#include "compose/NewMailReply.h"

#include <cstdio>

#include "compose/NewMail.h"
#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IField.h"
#include "contracts/kelo/IFields.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IListItem.h"
#include "contracts/mapi/Constants.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

void NewMailReply::Reply(const ObjectPtr& context) { Answer(context, DraftMail::Verb::Reply); }
void NewMailReply::ReplyAll(const ObjectPtr& context) { Answer(context, DraftMail::Verb::ReplyAll); }
void NewMailReply::Forward(const ObjectPtr& context) { Answer(context, DraftMail::Verb::Forward); }

void NewMailReply::Answer(const ObjectPtr& context, DraftMail::Verb verb) {
    const WaitCursor wait;
    const std::string path = WriteMessageFile(StoredMail(RecordOf(context)));
    const auto mail = std::make_shared<NewMail>();
    mail->SetTemplate(Variant(path));
    mail->SetContext(Variant(context));
    switch (verb) {
        case DraftMail::Verb::Forward: mail->Forward(); break;
        case DraftMail::Verb::Reply: mail->Reply(); break;
        case DraftMail::Verb::ReplyAll: mail->ReplyAll(); break;
    }
    IgnoreErrors([&] { std::remove(path.c_str()); });
}

Ptr<kelo::IRecord> NewMailReply::RecordOf(const ObjectPtr& context) {
    if (!context) Tools::RaiseInternalError();
    if (const auto explorer = As<kelo::IExplorer>(context)) {
        const auto active = explorer->ActiveItem();
        if (!active) Tools::RaiseError(Tools::GetText("PleaseSelectMail"));
        const auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
        record->Load(explorer->Class(), active->ID());
        return record;
    }
    if (const auto inspector = As<kelo::IInspector>(context)) return inspector->Record();
    return As<kelo::IRecord>(context);
}

Ptr<kelo::IDocument> NewMailReply::StoredMail(const Ptr<kelo::IRecord>& given) {
    Ptr<kelo::IRecord> record = given;
    auto field = Must(record).Class()->Fields()->FindByType(kelo::fieldtype::Document);
    if (!field) {
        // A record of another class may point to a document record that holds the mail.
        const auto fields = record->Class()->Fields();
        for (std::int32_t i = 1; i <= fields->Count(); ++i) {
            const auto relation = fields->Item(i);
            if (relation->Type() != kelo::fieldtype::RelationToOne) continue;
            const auto counterpart = relation->Counterpart();
            if (!counterpart || counterpart->Class()->Label() != kelo::classlabel::Document) continue;
            record = record->Linked(relation->Name());
            field = Must(record).Class()->Fields()->FindByType(kelo::fieldtype::Document);
            break;
        }
    }
    if (!field) Tools::RaiseError("There is no document attached to current context");
    const Variant stored = record->Value(field->Name());
    const auto document = stored.IsObject() ? stored.ToObjectAs<kelo::IDocument>() : nullptr;
    if (!document) Tools::RaiseError(Tools::GetText("PleaseSelectMail"));
    return document;
}

std::string NewMailReply::WriteMessageFile(const Ptr<kelo::IDocument>& document) {
    const std::string extension = text::LCase(document->Extension());
    if (extension != "msg" && extension != "eml") Tools::RaiseError(Tools::GetText("PleaseSelectMail"));
    const std::string path = TempPath("msg");
    if (extension == "msg") {
        document->SaveToFile(path);
        return path;
    }
    const std::string mime = TempPath("eml");
    document->SaveToFile(mime);
    const auto message = Globals::Redemption()->GetMessageFromMsgFile(path, true);
    message->Import(mime, mapi::olRFC822);
    message->Save();
    IgnoreErrors([&] { std::remove(mime.c_str()); });
    return path;
}

std::string NewMailReply::TempPath(const std::string& extension) {
    const auto utility = Globals::Application()->Utility();
    return utility->BuildPath(utility->TempPath(), utility->NewGuid() + "." + extension);
}

}  // namespace ostrellix::addin
