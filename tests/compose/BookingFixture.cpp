#include "tests/compose/BookingFixture.h"

#include <algorithm>

#include "contracts/kelo/IRecords.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"

namespace ostrellix::addin::composetest {

BookingTest::BookingTest() : registered(Globals::EventListenerCount()), since_(0) {
    const auto demo = NewToDos();
    if (!demo.empty()) since_ = demo.back()->ID();
}

Ptr<outlook::IInspector> BookingTest::Shown() { return world.Outlook()->ActiveInspector(); }

void BookingTest::SaveAndClose(const Ptr<outlook::IInspector>& window, std::string_view subject) {
    outlookUser.Type(window, "Subject", Variant(subject));
    outlookUser.Close(window, true);
}

std::vector<Ptr<kelo::IRecord>> BookingTest::NewToDos() {
    const auto records = Cast<kelo::IRecords>(Globals::Application()->CreateObject("QVR.Records"));
    records->Open(Class("todo"), nullptr, {}, 100000);
    std::vector<Ptr<kelo::IRecord>> made;
    for (std::int32_t i = 1; i <= records->Count(); ++i) {
        if (records->Item(i)->ID() > since_) made.push_back(records->Item(i));
    }
    std::ranges::sort(made, {}, [](const auto& record) { return record->ID(); });
    return made;
}

Ptr<kelo::IRecord> BookingTest::BareToDo() {
    const auto record = NewRecord("todo");
    record->SetValue("subject", Variant("Think it over"));
    record->Update();
    since_ = record->ID();
    return record;
}

}  // namespace ostrellix::addin::composetest
