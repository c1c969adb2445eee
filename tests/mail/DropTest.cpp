#include <algorithm>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "core/Addin.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/Windows.h"
#include "tests/mail/MailWindowFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

class DropTest : public MailWindowTest {
protected:
    std::int32_t Drafts() { return Count(outlook::olFolderDrafts); }
    bool InLog(const std::string& entry) { return std::ranges::count(world.KeloLog(), entry) > 0; }
    std::string Msg(const std::string& name) {
        const std::string path = (world.Folder() / name).string();
        Import(WriteEml(name + ".eml", kFromMaria))->SaveAs(path, 3);
        return path;
    }
};

TEST_F(DropTest, ADroppedItemOpensInARecordWindowThatWillDeleteIt) {
    const auto ek = world.User().OpenRecord("person", Find("person", "lastname", Variant("Ek"))->ID());
    before = world.Kelo().WindowList().Inspectors();
    const auto item = ImportItem(WriteEml("mail.eml", kFromMaria));
    const auto drafts = Drafts();
    sync->DropItem(item, ek);

    const auto opened = Opened();
    ASSERT_EQ(opened.size(), 1u);
    const auto& window = opened[0];
    EXPECT_TRUE(window->Shown());
    EXPECT_TRUE(SameObject(window->ParentInspector(), ek));
    EXPECT_TRUE(SameObject(window->Value("OutlookItem").ToObject(), item));
    EXPECT_TRUE(window->Value("OutlookItem_Delete").ToBoolean());
    EXPECT_EQ(window->Record()->Text("person"), "Johan Ek");  // the window dropped on wins over the sender
    EXPECT_EQ(Drafts(), drafts) << "the copy waits for the window";
    EXPECT_TRUE(InLog("4|Addin.OnDropFile||Raising 'DropItem' event."));
    EXPECT_TRUE(InLog("4|Addin.OnDropFile||Event return value is 'False'"));
}

TEST_F(DropTest, AnItemTheHostClaimsIsDeletedAtOnce) {
    world.Kelo().ScriptEvents().Claim("DropItem");
    const auto item = ImportItem(WriteEml("mail.eml", kFromMaria));
    const auto drafts = Drafts();
    sync->DropItem(item, nullptr);
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(Drafts(), drafts - 1);
    EXPECT_TRUE(InLog("4|Addin.OnDropFile||Event return value is 'True'"));
}

TEST_F(DropTest, DroppedFilesAreReadByTheirExtensionOrByContent) {
    const auto list = world.User().OpenList("document");
    sync->DropFile(WriteEml("mail.EML", kFromMaria), list);
    sync->DropFile(Msg("Mail.MSG"), list);
    // Neither: format 0, and the file's content tells.
    sync->DropFile(Msg("mail.dat"), list);
    sync->DropFile(WriteEml("mail.txt", kFromMaria), list);
    const auto opened = Opened();
    ASSERT_EQ(opened.size(), 4u);
    for (const auto& window : opened) {
        EXPECT_EQ(window->Record()->Text("comment"), "Spring order");
        EXPECT_EQ(window->ParentInspector(), nullptr);
    }
    EXPECT_EQ(std::ranges::count(world.KeloLog(), "4|Synchronizer.DropFile||Receiving dropped file."), 4);

    world.Kelo().ScriptEvents().Claim("DropFile");
    const auto drafts = Drafts();
    sync->DropFile(WriteEml("claimed.eml", kFromMaria), list);
    EXPECT_EQ(Drafts(), drafts);
    EXPECT_EQ(Opened().size(), 4u);
}

TEST_F(DropTest, AFileDroppedOnAKeloWindowIsFiledInTheProgressDialog) {
    auto& user = world.User();
    const auto addin = world.TheAddin();
    const auto unsaved = user.NewRecord("company");
    user.Edit(unsaved, "name", Variant("Dropped On AB"));
    const auto persons = user.OpenList("person", nullptr, unsaved);
    before = world.Kelo().WindowList().Inspectors();

    bool handled = false;
    addin->IOutlookAddin_OptHandleDrop(persons, WriteEml("mail.Eml", kFromMaria), handled);
    EXPECT_TRUE(handled);
    EXPECT_GT(unsaved->Record()->ID(), 0);  // stored first, to be linked to
    const auto& dialog = world.Kelo().Dialogs()->Reports().back();
    EXPECT_EQ(dialog.caption, "Working...");
    EXPECT_EQ(dialog.text, "Analyzing...");
    EXPECT_EQ(dialog.style, 3);
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_TRUE(SameObject(Opened()[0]->ParentInspector(), unsaved));
    EXPECT_EQ(Opened()[0]->Record()->Text("company"), "Dropped On AB");

    // Left to the host: already handled, or dropped on a record rather than a window.
    const auto reports = world.Kelo().Dialogs()->Reports().size();
    addin->IOutlookAddin_OptHandleDrop(persons, WriteEml("again.eml", kFromMaria), handled);
    handled = false;
    addin->IOutlookAddin_OptHandleDrop(Find("person", "lastname", Variant("Ek")), WriteEml("b.eml", kFromMaria),
                                       handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(world.Kelo().Dialogs()->Reports().size(), reports);
    EXPECT_EQ(Opened().size(), 1u);
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
