#pragma once

#include <array>

#include "contracts/kelo/IClass.h"

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
};

}  // namespace ostrellix::addin
