#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "contracts/kelo/IPanes.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/Panes.h"
#include "standins/system/FormHost.h"
#include "tests/support/AddinWorld.h"

namespace ostrellix::addin {

// The client started with Outlook running, so that folders resolve.
class UiFixture : public ::testing::Test {
protected:
    UiFixture() : world_(testing::AddinWorld::Options{.outlookRunning = true, .start = true}) {}

    Ptr<outlook::IFolder> DefaultFolder(std::int32_t type) {
        return world_.Outlook()->Session()->GetDefaultFolder(type);
    }
    std::string EntryID(std::int32_t type) { return DefaultFolder(type)->EntryID(); }
    // An EntryID of the right form that names no folder.
    std::string Gone() {
        std::string id = EntryID(outlook::olFolderInbox);
        id.back() = id.back() == '0' ? '1' : '0';
        return id;
    }
    Ptr<kelo::IPanes> Panes() { return world_.Kelo().Panes(); }
    std::vector<std::string> Captions() {
        std::vector<std::string> captions;
        for (std::int32_t i = 1; i <= Panes()->Count(); ++i) captions.push_back(Panes()->Item(i)->Caption());
        return captions;
    }
    static const win::FormControl& Find(const standin::system::FormHost::Shown& shown, const std::string& name) {
        for (const auto& control : shown.controls) {
            if (control.name == name) return control;
        }
        throw std::runtime_error("no control " + name);
    }
    void SetPaneBarShown(bool shown) { Cast<standin::kelo::Panes>(Panes())->SetActive(shown); }
    std::vector<standin::kelo::MessageBoxes::Shown> Boxes() { return world_.Kelo().Boxes().History(); }

    testing::AddinWorld world_;
};

}  // namespace ostrellix::addin
