#pragma once

#include <string>

#include "contracts/kelo/IWorkDialog.h"
#include "contracts/office/ICommandBar.h"
#include "contracts/office/ICommandBarButton.h"
#include "contracts/outlook/IInspectors.h"
#include "core/DebugLog.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// The two buttons an Outlook item window gets for the kind of item it
// shows: "save in Kelo" on an item without a Kelo partner, "open in Kelo"
// on one that has it. The calendar, task and contact listeners are this
// class with their own kind; one of each lives for the whole Outlook
// connection, in the object registry, and decorates one window at a time.
class InspectorListener : public virtual Object {
public:
    // Starts watching Outlook's item windows.
    void Initialize();

    // What sets one listener of the family apart.
    struct Kind {
        const char* className;     // names the error locations ("CalendarListener")
        DebugLog log;              // "CalendarListener - "
        const char* newInspectorLocation;
        bool (*accepts)(const ObjectPtr& item);
        const char* saveTag;
        const char* openTag;
        const char* notFoundKey;   // the text shown when the open button finds no record
    };

protected:
    explicit InspectorListener(const Kind& kind) : kind_(kind) {}

private:
    struct ButtonMember {
        Ptr<office::ICommandBarButton> control;
        Connection click;
    };

    void OnNewInspector(const Ptr<outlook::IInspector>& inspector);
    void AddButtons(const Ptr<outlook::IInspector>& inspector);
    void Bind(ButtonMember& member, const Ptr<office::ICommandBar>& bar, const char* tag, void (InspectorListener::*click)());
    void OnInspectorClose();
    void RemoveButtons();
    void OnSaveClick();
    void OnOpenClick();
    void OnWork();
    std::string Location(const char* procedure) const;

    const Kind& kind_;
    Ptr<outlook::IInspectors> m_OutlookInspectors;
    Ptr<outlook::IInspector> m_OutlookInspector;
    ButtonMember m_SaveButton;
    ButtonMember m_OpenButton;
    Ptr<kelo::IWorkDialog> m_WorkDialog;
    Connection newInspector_;
    Connection inspectorClose_;
};

}  // namespace ostrellix::addin
