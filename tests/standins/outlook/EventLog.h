#pragma once

#include <string>
#include <vector>

#include "contracts/outlook/IExplorer.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IItem.h"
#include "contracts/outlook/IItems.h"
#include "runtime/Connection.h"

namespace ostrellix::standin::outlook::testing {

namespace ol = ::ostrellix::outlook;

// Writes down the events of the watched sources in the order they arrive,
// each as "Name.Event" (a folder's events with the item's subject).
class EventLog {
public:
    std::vector<std::string> lines;

    void Watch(const Ptr<ol::IItem>& item, const std::string& name) {
        auto& events = item->Events();
        Keep(events.Open.Connect([this, name](bool&) { lines.push_back(name + ".Open"); }));
        Keep(events.Write.Connect([this, name](bool&) { lines.push_back(name + ".Write"); }));
        Keep(events.Send.Connect([this, name](bool&) { lines.push_back(name + ".Send"); }));
        Keep(events.Close.Connect([this, name](bool&) { lines.push_back(name + ".Close"); }));
    }

    void Watch(const Ptr<ol::IItems>& items, const std::string& name) {
        auto& events = items->Events();
        Keep(events.ItemAdd.Connect(
            [this, name](const Ptr<ol::IItem>& item) { lines.push_back(name + ".ItemAdd(" + item->Subject() + ")"); }));
        Keep(events.ItemChange.Connect([this, name](const Ptr<ol::IItem>& item) {
            lines.push_back(name + ".ItemChange(" + item->Subject() + ")");
        }));
        Keep(events.ItemRemove.Connect([this, name] { lines.push_back(name + ".ItemRemove"); }));
    }

    void Watch(const Ptr<ol::IInspector>& inspector, const std::string& name = "Inspector") {
        Keep(inspector->Events().Deactivate.Connect([this, name] { lines.push_back(name + ".Deactivate"); }));
        Keep(inspector->Events().Close.Connect([this, name] { lines.push_back(name + ".Close"); }));
    }

    void Watch(const Ptr<ol::IExplorer>& explorer, const std::string& name = "Explorer") {
        Keep(explorer->Events().FolderSwitch.Connect([this, name] { lines.push_back(name + ".FolderSwitch"); }));
        Keep(explorer->Events().Close.Connect([this, name] { lines.push_back(name + ".Close"); }));
    }

    void Keep(Connection connection) { connections_.push_back(std::move(connection)); }

private:
    std::vector<Connection> connections_;
};

}  // namespace ostrellix::standin::outlook::testing
