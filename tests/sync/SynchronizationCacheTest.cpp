#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "contracts/kelo/IApplication.h"
#include "contracts/outlook/Constants.h"
#include "runtime/Dictionary.h"
#include "sync/SynchronizationCache.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

namespace fs = std::filesystem;

class SynchronizationCacheTest : public SyncTest {
protected:
    fs::path file = fs::path(Globals::Application()->Database()->Folder()) / "OutlookCache.xml";

    static std::string Text(const pugi::xml_node& node) {
        std::ostringstream text;
        node.print(text, "", pugi::format_raw);
        return text.str();
    }
    std::string FileText() const {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    void WriteFile(const std::string& text) const { std::ofstream(file, std::ios::binary) << text; }
    static Ptr<SynchronizationCache> Loaded() {
        auto cache = std::make_shared<SynchronizationCache>();
        cache->Load();
        return cache;
    }
};

TEST_F(SynchronizationCacheTest, PairsKeepTheirOrderAndDuplicatesAcrossASaveAndLoadInTheDatabaseFolder) {
    SynchronizationCache cache;
    EXPECT_EQ(fs::path(cache.Path()), file);
    cache.Add("todo:7", "E7");
    cache.Add("person:12", "E12");
    cache.Add("todo:3", "E3");
    cache.Add("person:13", "E13");
    cache.Add("person:12", "E12");
    cache.Add("person:12", "OTHER");
    cache.Save();

    const std::string expected =
        "<xml><todo><item id=\"7\" entryid=\"E7\"/><item id=\"3\" entryid=\"E3\"/></todo>"
        "<person><item id=\"12\" entryid=\"E12\"/><item id=\"13\" entryid=\"E13\"/>"
        "<item id=\"12\" entryid=\"E12\"/><item id=\"12\" entryid=\"OTHER\"/></person></xml>";
    // No declaration of its own; what follows the root is only the writer's line end.
    EXPECT_EQ(FileText().rfind("<xml>", 0), 0u);
    EXPECT_EQ(Text(Loaded()->XML()), expected);
}

TEST_F(SynchronizationCacheTest, FilesThatAreNotAWholeCacheLoadEmpty) {
    const struct {
        const char* name;
        std::string content;
    } cases[] = {
        {"foreign root", "<cache><person><item id=\"1\" entryid=\"E1\"/></person></cache>"},
        {"truncated", "<xml><person><item id=\"1\" entryid=\"E1\"/><item id=\"2\" ent"},
        {"second root", "<xml><person><item id=\"1\" entryid=\"E1\"/></person></xml><xml/>"},
        {"text after the root", "<xml><person/></xml>trailing"},
        {"not XML", std::string("\x00\x01binary", 8)},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(c.content);
        const auto cache = Loaded();
        EXPECT_EQ(Text(cache->XML()), "<xml/>");
        cache->Add("person:5", "E5");
        cache->Save();
        EXPECT_EQ(Text(Loaded()->XML()), "<xml><person><item id=\"5\" entryid=\"E5\"/></person></xml>");
    }
}

TEST_F(SynchronizationCacheTest, LoadKeepsWhatTheFileHoldsBeyondTheLayoutAndAddsToIt) {
    WriteFile("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xml>\n  <person note=\"kept\"><item id=\"1\" entryid=\"E1\"/></person>\n</xml>\n");
    const auto cache = Loaded();
    cache->Add("person:2", "E2");
    EXPECT_EQ(Text(cache->XML()),
              "<xml><person note=\"kept\"><item id=\"1\" entryid=\"E1\"/><item id=\"2\" entryid=\"E2\"/></person></xml>");
}

TEST_F(SynchronizationCacheTest, ClearEmptiesOnlyTheMemoryAndRemoveMembersChangeNothing) {
    SynchronizationCache cache;
    cache.Add("person:12", "E12");
    cache.Save();
    cache.RemoveEntryID("E12");
    cache.RemoveKeloID("person:12");
    EXPECT_EQ(Text(cache.XML()), "<xml><person><item id=\"12\" entryid=\"E12\"/></person></xml>");
    cache.SetItems(std::make_shared<Dictionary>());
    EXPECT_EQ(Text(cache.XML()), "<xml><person><item id=\"12\" entryid=\"E12\"/></person></xml>");
    cache.Clear();
    EXPECT_EQ(Text(cache.XML()), "<xml/>");
    EXPECT_EQ(Text(Loaded()->XML()), "<xml><person><item id=\"12\" entryid=\"E12\"/></person></xml>");
}

TEST_F(SynchronizationCacheTest, SetItemsAddsEveryKeyWithItsItemsEntryID) {
    auto contact = sync->CreateItem(outlook::olContactItem);
    contact->Save();
    auto task = sync->CreateItem(outlook::olTaskItem);
    task->Save();
    auto items = std::make_shared<Dictionary>();
    items->Add("todo:4", Variant(task));
    items->Add("person:9", Variant(contact));
    SynchronizationCache cache;
    cache.SetItems(items);
    EXPECT_EQ(Text(cache.XML()), "<xml><todo><item id=\"4\" entryid=\"" + task->EntryID() +
                                     "\"/></todo><person><item id=\"9\" entryid=\"" + contact->EntryID() +
                                     "\"/></person></xml>");
}

TEST_F(SynchronizationCacheTest, BadKeloIDsRaiseToTheCallerAndAddNothing) {
    const struct {
        const char* keloId;
        std::int32_t error;
    } cases[] = {
        {"person12", errors::SubscriptOutOfRange},
        {"", errors::SubscriptOutOfRange},
        {"1person:12", errors::InvalidProcedureCall},
        {"my class:12", errors::InvalidProcedureCall},
        {"a<b:12", errors::InvalidProcedureCall},
        {":12", errors::InvalidProcedureCall},
    };
    SynchronizationCache cache;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keloId);
        try {
            cache.Add(c.keloId, "E");
            ADD_FAILURE() << "no error";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), c.error);
        }
    }
    EXPECT_EQ(Text(cache.XML()), "<xml/>");
    // Names of the XML grammar beyond ASCII are element names like any other.
    cache.Add("företag:1", "E1");
    EXPECT_EQ(Text(cache.XML()), "<xml><företag><item id=\"1\" entryid=\"E1\"/></företag></xml>");
}

TEST_F(SynchronizationCacheTest, AFailedSaveRaisesAndKeepsTheOldFile) {
    SynchronizationCache cache;
    cache.Add("person:1", "E1");
    cache.Save();
    const std::string saved = FileText();
    cache.Add("person:2", "E2");

    if (::geteuid() != 0) {  // root writes into read-only folders
        SCOPED_TRACE("read-only folder");
        fs::permissions(file.parent_path(), fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_THROW(cache.Save(), ComError);
        fs::permissions(file.parent_path(), fs::perms::owner_write, fs::perm_options::add);
        EXPECT_EQ(FileText(), saved);
    }

    const fs::path folder = file.parent_path();
    const auto leftovers = [&] {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(folder)) count += entry.path().filename() != file.filename();
        return count;
    };
    const int before = leftovers();
    fs::rename(file, folder / "moved.xml");
    fs::create_directory(file);
    try {
        cache.Save();
        ADD_FAILURE() << "saved over a folder";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), 75);
    }
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(leftovers(), before + 1);  // the moved file, and no temporary one
    fs::remove(file);
    fs::rename(folder / "moved.xml", file);
    EXPECT_EQ(FileText(), saved);
}

TEST_F(SynchronizationCacheTest, ScriptsDriveTheCacheByLateBinding) {
    world.Kelo().RunScript(
        "Dim cache\n"
        "Set cache = CreateObject(\"KeloOstrellix.SynchronizationCache\")\n"
        "cache.Add \"person:12\", \"E12\"\n"
        "cache.RemoveKeloID \"person:12\"\n"
        "cache.Save\n"
        "cache.Clear\n"
        "cache.Load\n"
        "Call cache.Add(\"todo:3\", \"E3\")\n"
        "cache.Save",
        false);
    EXPECT_EQ(Text(Loaded()->XML()),
              "<xml><person><item id=\"12\" entryid=\"E12\"/></person><todo><item id=\"3\" entryid=\"E3\"/></todo></xml>");

    const auto cache = Cast<IDispatch>(world.Machine().Factory().Create("KeloOstrellix.SynchronizationCache"));
    cache->Invoke("load", InvokeKind::Method, {});
    EXPECT_EQ(cache->Invoke("XML", InvokeKind::PropertyGet, {}).ToString(),
              "<xml><person><item id=\"12\" entryid=\"E12\"/></person><todo><item id=\"3\" entryid=\"E3\"/></todo></xml>");
    EXPECT_THROW(cache->Invoke("Add", InvokeKind::Method, {Variant("person:1")}), ComError);
    EXPECT_THROW(cache->Invoke("Remove", InvokeKind::Method, {}), ComError);
}

}  // namespace
}  // namespace ostrellix::addin
