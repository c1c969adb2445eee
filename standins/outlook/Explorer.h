#pragma once

#include <string>
#include <vector>

#include "contracts/outlook/IExplorer.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class Item;

// A window showing a folder: its selection, and the reply or forward the
// user writes in its reading pane (ActiveInlineResponse, announced by
// InlineResponse).
class Explorer final : public ol::IExplorer, protected InstanceBound {
public:
    Explorer(Ptr<Instance> instance, std::string folderEntryId);

    std::string Caption() override;
    Ptr<ol::IFolder> CurrentFolder() override;
    void SetCurrentFolder(const Ptr<ol::IFolder>& folder) override;
    Ptr<ol::ISelection> Selection() override;
    Ptr<ol::IItem> ActiveInlineResponse() override;
    void Display() override;
    void Activate() override { Display(); }
    void Close() override;
    ol::ExplorerEvents& Events() override { return events_; }

    bool IsOpen() const { return open_; }
    bool Displayed() const { return displayed_; }
    void Select(const std::vector<Ptr<Item>>& items);
    void StartInlineResponse(const Ptr<Item>& item);
    void Terminate() { open_ = false; }

private:
    std::string folder_;
    std::vector<std::string> selection_;
    Ptr<Item> inlineResponse_;
    bool open_ = true;
    bool displayed_ = false;
    ol::ExplorerEvents events_;
};

}  // namespace ostrellix::standin::outlook
