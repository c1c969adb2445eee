#pragma once

#include <string>

#include "contracts/kelo/IOptionsPage.h"
#include "core/Form.h"

namespace ostrellix::addin {

// The add-in's page in the client's options dialog ("KeloOstrellix.UserOptions"):
// two switches kept when the client applies the page (dropped mail filed,
// export allowed), and buttons that open the outgoing-mail, folders,
// synchronization and panes dialogs, which store their own options on OK.
// The panes frame and button are there only with a 32-bit Office.
class UserOptions : public Form, public kelo::IOptionsPage {
public:
    UserOptions();

    std::string Caption() override { return "Outlook"; }
    ObjectPtr Icon() override { return icon_; }
    std::string Description() override;
    bool Dirty() override { return false; }
    void Activate() override {}
    void Deactivate() override {}
    void Apply() override;
    void Cancel() override {}

protected:
    void Form_Load() override;

private:
    ObjectPtr icon_;
};

}  // namespace ostrellix::addin
