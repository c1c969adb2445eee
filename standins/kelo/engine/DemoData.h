#pragma once

#include <memory>

namespace ostrellix::standin::kelo {

class Engine;

// The demo database: a schema such as a real Kelo database has, using every
// class and field label the add-in relies on, and a few companies, persons,
// coworkers (linked to users), to-dos and documents.
//
//   company  (1)  name 1 (required), domain 21, phone 14, address 20, notes 8;
//                 persons, todos, documents: relations to many
//   person   (2)  firstname 30, lastname 31 (required), email 23 and email2 24
//                 (type 13), phones 13 14 15, faxes 16 17, birthday 18 (date),
//                 homeaddress 19, businessaddress 20, web pages 21 22,
//                 jobtitle 25, nickname 26, notes 8, company (16)
//   coworker (6)  the contact fields of person, picture (27, "type" = 2)
//   todo     (4)  subject 3 (required), start 4 and end 5 (date-time), done 7,
//                 notes 8, location 29, contact 1 (text), responsible 10
//                 (relation to coworker), person and company (16)
//   document (7)  file (27), comment 3, sent 28 and received 27 (date-time),
//                 body 8, contact 1 (text), coworker, person, company (16)
class DemoData {
public:
    // Without `documentClass` the schema lacks the document class, as a
    // database set up without document handling does.
    static void CreateSchema(Engine& engine, bool documentClass = true);
    // Records and users (a document only when the schema has its class); needs the demo schema.
    static void Seed(const std::shared_ptr<Engine>& engine);
    // Mail templates (".msg") whose recipients, subject and body hold field
    // codes: "Offer" for persons, to <email> with a copy to <email2>.
    static void SeedMailTemplates(const std::shared_ptr<Engine>& engine);
};

}  // namespace ostrellix::standin::kelo
