#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/kelo/IProperties.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IView.h"
#include "contracts/outlook/IViewControl.h"
#include "core/Form.h"
#include "runtime/IDispatch.h"

namespace ostrellix::addin {

// The control a folder pane of the client hosts ("KeloOstrellix.OutlookView"):
// Outlook's View Control showing one folder (CtrlOutlook), a drop-down of
// the folder's views (CtrlViews) and, for calendar views, the buttons of
// the calendar arrangement (CtrlDay, CtrlWeek, CtrlFullWeek, CtrlMonth in
// the frame CtrlOptions); CtrlIcon makes a new item of the folder's kind.
// The view and arrangement last chosen for a folder are kept in the
// database settings, group "PaneSettings", one child per folder name.
// The client sets Folder by name (late binding) right after adding the pane.
class OutlookView : public Form, public IDispatch {
public:
    OutlookView();

    Ptr<outlook::IView> CurrentView();
    void SetCurrentView(const Ptr<outlook::IView>& view);
    Ptr<outlook::IFolder> Folder() { return folder_; }
    void SetFolder(const Ptr<outlook::IFolder>& folder);
    // The calendar buttons are offered only while a calendar view is chosen.
    void EnableDisable();
    Ptr<outlook::IViewControl> ViewControl();

    // Shows the default folder of the same kind (the calendar when no
    // folder is shown) of someone picked in Outlook's address book.
    void OpenSharedFolder();

    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override;

private:
    // The first time the control shows: the client's font, an empty view.
    void Start();
    void ApplyView();
    // The pressed calendar button's arrangement; 0 (day) when none is pressed.
    std::int32_t PressedMode();
    void Press(std::int32_t mode);
    void NewItem();

    Ptr<outlook::IFolder> folder_;
    Ptr<kelo::IProperties> settings_;
    Ptr<outlook::IViewControl> ctrlOutlook_;
};

}  // namespace ostrellix::addin
