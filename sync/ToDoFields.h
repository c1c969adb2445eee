#pragma once

#include <array>

#include <string_view>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// The fields of a to-do class by the roles appointments and tasks map to:
// one field per label, and for the start and end one per date field type
// (date and time, date, time of day). Where several fields carry a role,
// the last one in the class's order counts.
struct ToDoFields {
    enum DateKind { DateTime, DateOnly, TimeOnly };

    Ptr<kelo::IField> responsible;  // label 10
    Ptr<kelo::IField> contact;      // label 1
    std::array<Ptr<kelo::IField>, 3> start;  // label 4, by DateKind
    std::array<Ptr<kelo::IField>, 3> end;    // label 5, by DateKind
    Ptr<kelo::IField> subject;      // label 3
    Ptr<kelo::IField> body;         // label 8
    Ptr<kelo::IField> location;     // label 29
    Ptr<kelo::IField> complete;     // label 7

    static ToDoFields Of(kelo::IClass& cls);

    // Item to record, shared by appointments and tasks, in the order they
    // are written: the responsible coworker from the organizer's or owner's
    // name (only a relation to the coworker class takes it), the contact,
    // then (after the dates) the subject and body of the item seen through
    // the MAPI library. From the contact on, a field that fails is skipped.
    void WriteResponsible(kelo::IRecord& record, std::string_view userName) const;
    void WriteContact(kelo::IRecord& record, mapi::IMessage& view) const;
    void WriteSubjectAndBody(kelo::IRecord& record, mapi::IMessage& view) const;
    // Record to item: body, subject and "KeloContact".
    void ReadBodySubjectAndContact(kelo::IRecord& record, const Ptr<outlook::IItem>& item) const;
};

}  // namespace ostrellix::addin
