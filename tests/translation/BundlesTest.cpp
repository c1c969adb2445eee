#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/translator/Translator.h"
#include "tests/support/SourceTree.h"
#include "tests/translation/TextKeyScanner.h"
#include "tests/support/FileText.h"

namespace ostrellix::tests {
namespace {

namespace fs = std::filesystem;
using Bundle = std::map<std::string, std::string, std::less<>>;
using standin::translator::Translator;

fs::path SourceDir() { return ostrellix::testing::SourceTree(); }

std::string BundleName(const std::string& language) { return "Ostrellix." + language + ".txt"; }

void LoadBundle(const std::string& language, Bundle& bundle) {
    const fs::path path = SourceDir() / "translation" / BundleName(language);
    try {
        bundle = Translator::ReadBundle(path.string());
    } catch (const ComError& error) {
        FAIL() << error.Description();
    }
    ASSERT_FALSE(bundle.empty()) << path << " holds no texts";
}

std::set<std::string> Placeholders(const std::string& text) {
    std::set<std::string> found;
    for (const char* placeholder : {"%1", "%2", "%3"}) {
        if (text.find(placeholder) != std::string::npos) found.insert(placeholder);
    }
    return found;
}

std::string Join(const std::set<std::string>& items) {
    std::string joined;
    for (const std::string& item : items) joined += (joined.empty() ? "" : " ") + item;
    return joined.empty() ? "none" : joined;
}

bool HasOuterBlank(const std::string& key) {
    return !key.empty() && (std::isspace(static_cast<unsigned char>(key.front())) != 0 ||
                            std::isspace(static_cast<unsigned char>(key.back())) != 0);
}

class TranslationBundles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LoadBundle("en", english_));
        ASSERT_NO_FATAL_FAILURE(LoadBundle("sv", swedish_));
    }

    Bundle english_;
    Bundle swedish_;
};

TEST_F(TranslationBundles, BothLanguagesHoldTheSameKeys) {
    for (const auto& [key, text] : english_) {
        EXPECT_TRUE(swedish_.contains(key)) << key << " is in " << BundleName("en") << " only";
    }
    for (const auto& [key, text] : swedish_) {
        EXPECT_TRUE(english_.contains(key)) << key << " is in " << BundleName("sv") << " only";
    }
}

TEST_F(TranslationBundles, EachTextKeepsThePlaceholdersOfItsCounterpart) {
    for (const auto& [key, englishText] : english_) {
        const auto swedish = swedish_.find(key);
        if (swedish == swedish_.end()) continue;
        EXPECT_EQ(Join(Placeholders(englishText)), Join(Placeholders(swedish->second))) << "placeholders of " << key;
    }
}

// A bundle saved in another encoding, or a key whose text was left out,
// would show the user garbage or nothing at all.
TEST_F(TranslationBundles, EveryTextIsReadableUtf8) {
    for (const Bundle* bundle : {&english_, &swedish_}) {
        for (const auto& [key, text] : *bundle) {
            EXPECT_FALSE(text::Trim(text).empty()) << key << " has a blank text";
            for (const char32_t c : text::CodePoints(text)) {
                EXPECT_NE(c, U'\uFFFD') << key << " is not valid UTF-8: " << text;
            }
        }
    }
}

TEST_F(TranslationBundles, EveryKeyUsedInTheAddinIsInBothBundles) {
    const std::map<std::string, const Bundle*> bundles{{BundleName("en"), &english_}, {BundleName("sv"), &swedish_}};
    int uses = 0;
    for (const char* folder : {"core", "sync", "mail", "compose", "messenger", "ui"}) {
        const fs::path root = SourceDir() / folder;
        if (!fs::is_directory(root)) continue;
        for (const auto& entry : fs::recursive_directory_iterator(root)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
            const std::string file = fs::relative(entry.path(), SourceDir()).string();
            for (const TextKeyScanner::Use& use : TextKeyScanner::Scan(ostrellix::testing::FileText(entry.path()))) {
                ++uses;
                const std::string where = file + ":" + std::to_string(use.line) + ": ";
                if (HasOuterBlank(use.key)) {
                    ADD_FAILURE() << where << "the key \"" << use.key << "\" is spelled with a leading or trailing blank";
                    continue;
                }
                const std::string bundleKey = TextKeyScanner::BundleKey(use.key);
                for (const auto& [name, bundle] : bundles) {
                    EXPECT_TRUE(bundle->contains(bundleKey))
                        << where << "the key \"" << use.key << "\" (\"" << bundleKey << "\") is missing from " << name;
                }
            }
        }
    }
    // The core looks up its category name and error texts, so a scan that
    // finds nothing has looked in the wrong place.
    EXPECT_GT(uses, 0) << "no text key found under " << SourceDir();
}

}  // namespace
}  // namespace ostrellix::tests
