#include <gtest/gtest.h>

#include <string>

#include "compose/DocumentViewer.h"
#include "contracts/kelo/Codes.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IInspector.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "standins/kelo/engine/Document.h"
#include "tests/compose/ComposeFixture.h"
#include "tests/support/FileText.h"

namespace ostrellix::addin::composetest {
namespace {

// A mail Kelo keeps as a document, shown in Outlook and edited or printed there.
class DocumentViewerTest : public ComposeTest {
protected:
    DocumentViewerTest() {
        Globals::Options()->SetAllowEditMessages(true);
        const auto record = DocumentRecord(SaveAsMsg(ReceiveFromMaria(), "order.msg"));
        document = Cast<kelo::IDocument>(record->Value("file").ToObject());
        stored = document->Data();
    }

    void Open() { viewer->Display(document); }
    Ptr<outlook::IInspector> Window() { return world.Outlook()->ActiveInspector(); }
    // The subject of the mail the document holds now.
    std::string StoredSubject() {
        const std::string path = (world.Folder() / "stored.msg").string();
        document->SaveToFile(path);
        return Globals::Redemption()->GetMessageFromMsgFile(path, false)->Subject();
    }

    Ptr<kelo::IDocument> document;
    Bytes stored;
    Ptr<DocumentViewer> viewer = std::make_shared<DocumentViewer>();
};

TEST_F(DocumentViewerTest, StoredMailOpensMarkedAndEditableAndStaysInTheRegistryUntilClosed) {
    Open();
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Shown()->Subject(), "Spring order");
    EXPECT_FALSE(Shown()->Sent());
    const auto mark = Shown()->UserProperties()->Find("GUID");
    ASSERT_TRUE(mark) << "the mail window's watch must leave the temporary message alone";
    EXPECT_FALSE(mark->Value().ToString().empty());
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts + 1);
    EXPECT_EQ(Globals::EventListenerCount(), registered + 1);

    // Closed without saving: the temporary message goes, the document and its file stay as they were.
    const std::string file = document->Filename();
    const std::string before = testing::FileText(file);
    outlookUser.Type(Window(), "Subject", Variant("Changed"));
    outlookUser.Close(Window(), false);
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
    EXPECT_EQ(testing::FileText(file), before);
    EXPECT_EQ(document->Data(), stored);
}

TEST_F(DocumentViewerTest, SavingWritesTheTemporaryMessageBackAsItWasWhenOutlookAnnouncedTheSave) {
    Open();
    outlookUser.Type(Window(), "Subject", Variant("Changed once"));
    // Outlook announces a save before it stores the item: what is written
    // back then is the message as it was stored until that moment.
    outlookUser.Save(Window());
    outlookUser.Type(Window(), "Subject", Variant("Changed twice"));
    outlookUser.Close(Window(), true);
    EXPECT_NE(document->Data(), stored);
    EXPECT_EQ(StoredSubject(), "Changed once");
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

TEST_F(DocumentViewerTest, MailsThatMayNotBeChangedOpenAsSentAndAreNeverWrittenBack) {
    const struct {
        const char* why;
        bool readOnly;
        bool allowEdit;
    } cases[] = {{"read-only document", true, true}, {"editing switched off", false, false}};
    for (const auto& each : cases) {
        SCOPED_TRACE(each.why);
        Cast<standin::kelo::Document>(document)->SetReadOnly(each.readOnly);
        Globals::Options()->SetAllowEditMessages(each.allowEdit);
        Open();
        ASSERT_TRUE(Shown());
        EXPECT_TRUE(Shown()->Sent());
        outlookUser.Type(Window(), "Subject", Variant("Changed"));
        outlookUser.Save(Window());
        outlookUser.Type(Window(), "Subject", Variant("Changed again"));
        outlookUser.Close(Window(), true);
        EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
        if (each.readOnly) {
            EXPECT_EQ(document->Data(), stored);
        } else {
            EXPECT_EQ(StoredSubject(), "Changed") << "only the document's state keeps a save out";
        }
    }
}

TEST_F(DocumentViewerTest, SentMailIsLeftToOutlook) {
    Open();
    outlookUser.PressSend(Window());
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
    EXPECT_EQ(document->Data(), stored);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

TEST_F(DocumentViewerTest, DocumentWithoutFileOpensNothing) {
    const auto empty = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    viewer->Display(empty);
    EXPECT_FALSE(Window());
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

TEST_F(DocumentViewerTest, NewDisplayEndsThePreviousOneAndPrintingLeavesNoMessage) {
    Open();
    Open();
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts + 1) << "the first temporary message is gone";
    EXPECT_EQ(Globals::EventListenerCount(), registered + 1);
    outlookUser.Close(Window(), false);

    viewer->PrintOut(document);
    ASSERT_FALSE(outlookUser.Printed().empty());
    EXPECT_EQ(outlookUser.Printed().back(), "Spring order");
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
}

}  // namespace
}  // namespace ostrellix::addin::composetest
