#include <gtest/gtest.h>

#include "ShellTestUtil.h"
#include "shell/TextRegistry.h"
#include "shell/Translate.h"

using namespace shelltest;

namespace {

class Registry : public ::testing::Test {
  protected:
    void SetUp() override {
        InitTranslation(ShippedLocaleDir());
        SetLanguage("en_us");
    }
    void TearDown() override { SetLanguage("en_us"); }
    TextRegistry registry;
};

}  // namespace

TEST_F(Registry, RetranslationStartsAgainFromTheMessageIds) {
    std::string caption, button;
    const int window = 0;
    registry.Add(&window, "Tarvex sheet cutting system",
                 [&](const std::string& t) { caption = t; });
    registry.Add(&window, "Open(&O)", [&](const std::string& t) { button = t; });
    EXPECT_EQ(caption, "Tarvex sheet cutting system");

    // The window adds the project's name to its caption; a change of language drops it.
    caption = "job.dat - " + caption;
    SetLanguage("zh_cn");
    registry.RetranslateAll();
    EXPECT_EQ(caption, "Tarvex 板材切割系统");
    EXPECT_EQ(button, "打开(&O)");

    SetLanguage("en_us");
    registry.RetranslateAll();
    EXPECT_EQ(button, "Open(&O)");
    EXPECT_EQ(registry.MessageIds(&window),
              (std::vector<std::string>{"Tarvex sheet cutting system", "Open(&O)"}));
}

TEST_F(Registry, BuildersRunAgainAndForgottenOwnersAreLeftAlone) {
    const int window = 0, dialog = 0;
    std::vector<std::string> items;
    std::string dialogCaption;
    registry.AddBuilder(&window, [&] { items = {_("Yes"), _("No")}; });
    registry.Add(&dialog, "Updates", [&](const std::string& t) { dialogCaption = t; });
    EXPECT_EQ(items, (std::vector<std::string>{"Yes", "No"}));

    registry.Forget(&dialog);
    dialogCaption = "closed";
    SetLanguage("zh_cn");
    registry.RetranslateAll();
    EXPECT_EQ(items, (std::vector<std::string>{"是", "否"}));
    EXPECT_EQ(dialogCaption, "closed");
    EXPECT_TRUE(registry.MessageIds(&dialog).empty());
    EXPECT_TRUE(registry.MessageIds(&window).empty()) << "builders have no single id";
}
