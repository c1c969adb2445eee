#include "tests/compose/ComposeFixture.h"

#include <filesystem>
#include <fstream>

#include "contracts/kelo/IRecords.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/IRecipients.h"
#include "core/Globals.h"
#include "core/Options.h"

namespace ostrellix::addin::composetest {

namespace {
constexpr std::int16_t kFileWithoutAsking = 2;
}

ComposeTest::ComposeTest()
    : registered((Globals::Options()->SetSaveOutgoingMailMode(kFileWithoutAsking), Globals::EventListenerCount())),
      drafts(Count(outlook::olFolderDrafts)),
      sentItems(Count(outlook::olFolderSentMail)),
      documents(Documents()) {}

Ptr<outlook::IMailItem> ComposeTest::Shown() {
    const auto window = world.Outlook()->ActiveInspector();
    return window ? As<outlook::IMailItem>(window->CurrentItem()) : nullptr;
}

std::vector<std::string> ComposeTest::Addresses(const Ptr<outlook::IMailItem>& mail) {
    std::vector<std::string> addresses;
    const auto recipients = mail->Recipients();
    for (std::int32_t i = 1; i <= recipients->Count(); ++i) addresses.push_back(recipients->Item(i)->Address());
    return addresses;
}

std::string ComposeTest::WriteFile(const std::string& name, const std::string& content) {
    const std::string path = (world.Folder() / name).string();
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

std::string ComposeTest::SaveAsMsg(const Ptr<outlook::IMailItem>& mail, const std::string& name) {
    const std::string path = (world.Folder() / name).string();
    mail->SaveAs(path, outlook::olMSG);
    return path;
}

Ptr<kelo::IRecord> ComposeTest::DocumentRecord(const std::string& path) {
    const auto file = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    file->LoadFromFile(path);
    const auto record = NewRecord("document");
    record->SetValue("file", Variant(file));
    record->SetValue("comment", Variant(std::filesystem::path(path).filename().string()));
    record->Update();
    return record;
}

}  // namespace ostrellix::addin::composetest
