#include "standins/kelo/engine/DemoData.h"

#include <string>

#include "contracts/kelo/Codes.h"
#include "runtime/Date.h"
#include "standins/kelo/engine/Document.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/kelo/engine/Users.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/PropertyTag.h"

namespace ostrellix::standin::kelo {

namespace {

namespace fieldtype = ostrellix::kelo::fieldtype;
namespace classlabel = ostrellix::kelo::classlabel;

FieldSpec Typed(const char* name, const char* localName, std::int32_t label, std::int32_t type,
                std::int32_t maxLength = 0) {
    FieldSpec spec;
    spec.name = name;
    spec.localName = localName;
    spec.label = label;
    spec.type = type;
    spec.maxLength = maxLength;
    return spec;
}

FieldSpec Text(const char* name, const char* localName, std::int32_t label, std::int32_t maxLength = 0) {
    return Typed(name, localName, label, fieldtype::Text, maxLength);
}

// The contact fields persons and coworkers share.
void AddContactFields(Schema& schema, const Ptr<Class>& cls) {
    schema.AddField(cls, Text("firstname", "First name", 30, 50));
    FieldSpec lastName = Text("lastname", "Last name", 31, 50);
    lastName.required = true;
    lastName.indexed = true;
    schema.AddField(cls, lastName);
    schema.AddField(cls, Typed("email", "E-mail", 23, fieldtype::EMail, 120));
    schema.AddField(cls, Typed("email2", "E-mail 2", 24, fieldtype::EMail, 120));
    schema.AddField(cls, Text("homephone", "Home phone", 13, 40));
    schema.AddField(cls, Text("phone", "Phone", 14, 40));
    schema.AddField(cls, Text("mobile", "Mobile", 15, 40));
    schema.AddField(cls, Text("homefax", "Home fax", 16, 40));
    schema.AddField(cls, Text("fax", "Fax", 17, 40));
    schema.AddField(cls, Typed("birthday", "Birthday", 18, fieldtype::Date));
    schema.AddField(cls, Typed("homeaddress", "Home address", 19, fieldtype::LongText));
    schema.AddField(cls, Typed("businessaddress", "Business address", 20, fieldtype::LongText));
    schema.AddField(cls, Text("web", "Web page", 21, 200));
    schema.AddField(cls, Text("personalweb", "Personal web page", 22, 200));
    schema.AddField(cls, Text("jobtitle", "Job title", 25, 80));
    schema.AddField(cls, Text("nickname", "Nickname", 26, 50));
    schema.AddField(cls, Typed("notes", "Notes", 8, fieldtype::LongText));
}

FieldSpec Many(const char* name, const char* localName) {
    return Typed(name, localName, 0, fieldtype::RelationToMany);
}
FieldSpec One(const char* name, const char* localName, std::int32_t label = 0) {
    return Typed(name, localName, label, fieldtype::RelationToOne);
}

Ptr<Record> Store(const std::shared_ptr<Engine>& engine, const char* className,
                  std::initializer_list<std::pair<const char*, Variant>> values) {
    auto record = std::make_shared<Record>(engine);
    record->New(engine->Metadata().Require(className));
    for (const auto& [field, value] : values) record->SetValue(field, value);
    record->Update();
    return record;
}

}  // namespace

void DemoData::CreateSchema(Engine& engine, bool documentClass) {
    Schema& schema = engine.Metadata();
    const Ptr<Class> company = schema.AddClass({"company", "Company", "Companies", classlabel::Company, "<name>"});
    FieldSpec name = Text("name", "Name", 1, 80);
    name.required = true;
    name.indexed = true;
    schema.AddField(company, name);
    schema.AddField(company, Text("domain", "Web / domain", 21, 120));
    schema.AddField(company, Text("phone", "Phone", 14, 40));
    schema.AddField(company, Typed("address", "Address", 20, fieldtype::LongText));
    schema.AddField(company, Typed("notes", "Notes", 8, fieldtype::LongText));

    const Ptr<Class> person =
        schema.AddClass({"person", "Person", "Persons", classlabel::Person, "<firstname> <lastname>"});
    AddContactFields(schema, person);
    schema.AddRelation(person, One("company", "Company"), company, Many("persons", "Persons"));

    const Ptr<Class> coworker =
        schema.AddClass({"coworker", "Coworker", "Coworkers", classlabel::Coworker, "<firstname> <lastname>"});
    AddContactFields(schema, coworker);
    FieldSpec picture = Typed("picture", "Picture", 0, fieldtype::Document);
    picture.attributes = {{"type", Variant(2)}};
    schema.AddField(coworker, picture);

    const Ptr<Class> todo = schema.AddClass({"todo", "To-do", "To-dos", classlabel::ToDo, "<subject>"});
    FieldSpec subject = Text("subject", "Subject", 3, 200);
    subject.required = true;
    schema.AddField(todo, subject);
    schema.AddField(todo, Typed("start", "Start", 4, fieldtype::DateTime));
    schema.AddField(todo, Typed("end", "End", 5, fieldtype::DateTime));
    schema.AddField(todo, Typed("done", "Done", 7, fieldtype::YesNo));
    schema.AddField(todo, Typed("notes", "Notes", 8, fieldtype::LongText));
    schema.AddField(todo, Text("location", "Location", 29, 120));
    schema.AddField(todo, Text("contact", "Contact", 1, 250));
    schema.AddRelation(todo, One("responsible", "Responsible", 10), coworker, Many("todos", "To-dos"));
    schema.AddRelation(todo, One("person", "Person"), person, Many("todos", "To-dos"));
    schema.AddRelation(todo, One("company", "Company"), company, Many("todos", "To-dos"));

    if (!documentClass) return;
    const Ptr<Class> document =
        schema.AddClass({"document", "Document", "Documents", classlabel::Document, "<comment>"});
    schema.AddField(document, Typed("file", "File", 0, fieldtype::Document));
    schema.AddField(document, Text("comment", "Comment", 3, 200));
    schema.AddField(document, Typed("sent", "Sent", 28, fieldtype::DateTime));
    schema.AddField(document, Typed("received", "Received", 27, fieldtype::DateTime));
    schema.AddField(document, Typed("body", "Body", 8, fieldtype::LongText));
    schema.AddField(document, Text("contact", "Contact", 1, 250));
    schema.AddRelation(document, One("coworker", "Coworker"), coworker, Many("documents", "Documents"));
    schema.AddRelation(document, One("person", "Person"), person, Many("documents", "Documents"));
    schema.AddRelation(document, One("company", "Company"), company, Many("documents", "Documents"));
}

void DemoData::Seed(const std::shared_ptr<Engine>& engine) {
    engine->Transact([&] {
        const auto nordvik = Store(engine, "company",
                                   {{"name", "Nordvik Trading AB"}, {"domain", "nordvik.se"},
                                    {"phone", "+46 8 555 010 00"}, {"address", "Hamngatan 4\n111 47 Stockholm"}});
        const auto tallbacka = Store(engine, "company",
                                     {{"name", "Tallbacka Konsult"}, {"domain", "tallbacka.com"},
                                      {"phone", "+46 31 555 20 20"}, {"address", "Kungsgatan 12\n411 19 Göteborg"}});
        const auto brisa = Store(engine, "company",
                                 {{"name", "Brisa Logistics"}, {"domain", "brisa-logistics.com"},
                                  {"phone", "+44 20 7946 0011"}, {"address", "12 Dock Road\nLondon E16 1AA"}});

        const auto maria = Store(engine, "person",
                                 {{"firstname", "Maria"}, {"lastname", "Sjöberg"}, {"email", "maria.sjoberg@nordvik.se"},
                                  {"phone", "+46 8 555 010 12"}, {"mobile", "+46 70 555 01 12"},
                                  {"jobtitle", "Purchasing manager"}, {"company", Variant(nordvik->ID())}});
        Store(engine, "person",
              {{"firstname", "Johan"}, {"lastname", "Ek"}, {"email", "johan.ek@nordvik.se"},
               {"phone", "+46 8 555 010 31"}, {"company", Variant(nordvik->ID())}});
        Store(engine, "person",
              {{"firstname", "Lena"}, {"lastname", "Virtanen"}, {"email", "lena@tallbacka.com"},
               {"email2", "lena.virtanen@example.org"}, {"mobile", "+46 73 555 44 10"},
               {"company", Variant(tallbacka->ID())}});
        Store(engine, "person",
              {{"firstname", "Paul"}, {"lastname", "Okafor"}, {"email", "paul.okafor@brisa-logistics.com"},
               {"birthday", Date::FromParts(1980, 4, 12)}, {"businessaddress", "12 Dock Road\nLondon E16 1AA"},
               {"company", Variant(brisa->ID())}});
        Store(engine, "person", {{"firstname", "Sofie"}, {"lastname", "Dahl"}, {"email", "sofie.dahl@example.org"}});

        const auto anna = Store(engine, "coworker",
                                {{"firstname", "Anna"}, {"lastname", "Lindqvist"},
                                 {"email", "anna.lindqvist@demo.example"}, {"phone", "+46 8 555 099 01"},
                                 {"jobtitle", "Account manager"}});
        const auto erik = Store(engine, "coworker",
                                {{"firstname", "Erik"}, {"lastname", "Holm"}, {"email", "erik.holm@demo.example"},
                                 {"jobtitle", "Support engineer"}});
        Users users(engine);
        users.Add("Anna Lindqvist", anna->ID());
        users.Add("Erik Holm", erik->ID());
        users.Add("Administrator", std::nullopt);

        Store(engine, "todo",
              {{"subject", "Call Maria about the spring order"}, {"start", Date::FromParts(2024, 5, 2, 9)},
               {"end", Date::FromParts(2024, 5, 2, 9, 30)}, {"responsible", Variant(anna->ID())},
               {"person", Variant(maria->ID())}, {"company", Variant(nordvik->ID())}});
        Store(engine, "todo",
              {{"subject", "Send the price list to Brisa"}, {"start", Date::FromParts(2024, 5, 6)},
               {"responsible", Variant(erik->ID())}, {"company", Variant(brisa->ID())}});

        if (!engine->Metadata().Find("document")) return;
        auto offer = std::make_shared<Document>(engine);
        offer->SetName("Offer Nordvik spring 2024");
        offer->SetExtension("txt");
        const std::string text = "Offer for Nordvik Trading AB: 40 units at the spring price.\n";
        offer->SetData(Bytes(text.begin(), text.end()));
        Store(engine, "document",
              {{"file", Variant(offer)}, {"comment", "Offer for the spring order"},
               {"sent", Date::FromParts(2024, 4, 29, 14, 5)}, {"contact", "Maria Sjöberg"},
               {"coworker", Variant(anna->ID())}, {"person", Variant(maria->ID())}, {"company", Variant(nordvik->ID())}});
    });
}

void DemoData::SeedMailTemplates(const std::shared_ptr<Engine>& engine) {
    namespace tag = message::tag;
    message::MessageData offer;
    offer.properties.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    offer.properties.Set(tag::PR_SUBJECT, Variant("Offer for <firstname> <lastname>"));
    offer.properties.Set(tag::PR_BODY, Variant("Dear <firstname> <lastname>,\n\nas agreed, our offer for "
                                               "<company.name> follows.\n\nBest regards\n"));
    for (const auto& [code, type] : {std::pair{"<email>", message::MAPI_TO}, std::pair{"<email2>", message::MAPI_CC}}) {
        message::RecipientData recipient;
        recipient.properties.Set(tag::PR_DISPLAY_NAME, Variant(code));
        recipient.properties.Set(tag::PR_EMAIL_ADDRESS, Variant(code));
        recipient.properties.Set(tag::PR_ADDRTYPE, Variant("SMTP"));
        recipient.properties.Set(tag::PR_RECIPIENT_TYPE, Variant(type));
        offer.recipients.push_back(std::move(recipient));
    }
    offer.properties.Set(tag::PR_MESSAGE_FLAGS, Variant(message::MSGFLAG_READ | message::MSGFLAG_UNSENT));
    DocumentTemplate::Create(engine, "Offer", "person", "msg", message::MsgWriter::Write(offer));
}

}  // namespace ostrellix::standin::kelo
