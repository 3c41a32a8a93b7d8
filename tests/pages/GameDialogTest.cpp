// The game dialog on a data folder of two profiles: what it writes into
// QV530.games for typed names, refused names, a running program picked from
// its menu, Remove, and a program that moves from the other profile.
#include "pages/CGameDialog.h"

#include <QApplication>
#include <QLabel>
#include <algorithm>
#include <filesystem>
#include <map>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "controls/CBitmapBtn.h"
#include "controls/CExMenu.h"
#include "controls/CListBoxPro.h"
#include "controls/SkinLoader.h"
#include "platform/FileIo.h"
#include "profiles/GameBindings.h"
#include "profiles/ProfileStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

class GameDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
        folder = home.path() + "/";
        ASSERT_EQ(WriteFileAtomic(folder + "str.ini", "[Profile]\r\nItemCount=2\r\nItem0=Profile 1\r\nItem1=Racing\r\n"), 0);
    }
    // program -> the place of its profile, as the file holds them.
    std::map<std::string, int> Bindings() {
        const std::vector<std::string> ids = ListedProfileIds(folder);
        std::map<std::string, int> placed;
        for (const GameBinding& b : ReadGameBindings(folder, ids).bindings)
            placed[b.program] = static_cast<int>(std::find(ids.begin(), ids.end(), b.profileId) - ids.begin());
        return placed;
    }
    std::unique_ptr<CGameDialog> Open(const char* language) {
        auto dialog = std::make_unique<CGameDialog>(language, folder, 0,
                                                    std::vector<std::string>{"Profile 1", "Racing"}, "Profile 1");
        dialog->profileNameAt = [](int position) { return position == 1 ? QString("Racing") : QString("?"); };
        return dialog;
    }
    static void Type(CGameDialog& dialog, const QString& text) {
        dialog.nameField()->clear();
        QTest::keyClicks(dialog.nameField(), text);
        QTest::keyClick(dialog.nameField(), Qt::Key_Return);
    }

    test::TempDir home;
    std::string folder;
};

TEST_F(GameDialogTest, AddsTypedAndPickedNamesRefusesBadOnesMovesAndRemoves) {
    ASSERT_TRUE(BindGame(StoreSession(folder), 1, "racer").done);
    auto dialog = Open("DE");
    const GameDialogTexts& texts = dialog->texts();
    QSignalSpy changed(dialog.get(), &CGameDialog::bindingsChanged);
    EXPECT_EQ(dialog->list()->count(), 0); // racer brings the other profile

    Type(*dialog, "shooter.exe");
    EXPECT_EQ(Bindings(), (std::map<std::string, int>{{"racer", 1}, {"shooter.exe", 0}}));
    EXPECT_EQ(dialog->status(), QString::fromStdString(texts.added).arg("shooter.exe"));
    EXPECT_EQ(dialog->list()->ItemTexts(), std::vector<std::string>{"shooter.exe"});
    EXPECT_TRUE(dialog->nameField()->text().isEmpty());

    // Refused names change nothing and say why in the language.
    const std::string before = ReadWholeFile(folder + kGameBindingsName).value_or("");
    for (const auto& [typed, said] : {std::pair{QString(), texts.emptyName}, {"Z:\\games\\x.exe", texts.path},
                                      {"x.exe ", texts.blankAtEnd}}) {
        Type(*dialog, typed);
        EXPECT_EQ(dialog->status().toStdString(), said) << typed.toStdString();
    }
    EXPECT_EQ(ReadWholeFile(folder + kGameBindingsName).value_or(""), before);

    // Picked from the running programs: racer moves here from the other profile.
    QStringList offered;
    dialog->runningPrograms = [] { return std::vector<std::string>{"racer", "supertuxkart"}; };
    dialog->runMenu = [&](CExMenu& menu, const QPoint&) {
        for (const QAction* action : menu.actions())
            if (action->isVisible()) offered << action->text();
        return CExMenu::CommandId(menu.actions().front());
    };
    QTest::mouseClick(dialog->findChild<CBitmapBtn*>("runningPrograms"), Qt::LeftButton);
    EXPECT_EQ(offered, (QStringList{"racer", "supertuxkart"}));
    EXPECT_EQ(Bindings(), (std::map<std::string, int>{{"racer", 0}, {"shooter.exe", 0}}));
    EXPECT_EQ(dialog->status(), QString::fromStdString(texts.moved).arg("racer", "Racing"));
    EXPECT_EQ(dialog->list()->currentItem()->text(), "racer");

    // Delete removes the selected program.
    QTest::keyClick(dialog->list(), Qt::Key_Delete);
    EXPECT_EQ(Bindings(), (std::map<std::string, int>{{"shooter.exe", 0}}));
    EXPECT_EQ(dialog->status(), QString::fromStdString(texts.removed).arg("racer"));
    EXPECT_EQ(changed.count(), 3);

    // Once another program changed the list, the place may name another profile: refused.
    ASSERT_EQ(WriteFileAtomic(folder + "str.ini", "[Profile]\r\nItemCount=1\r\nItem0=Racing\r\n"), 0);
    Type(*dialog, "kart");
    EXPECT_EQ(dialog->status().toStdString(), texts.listChanged);
    EXPECT_EQ(changed.count(), 3);
}

TEST_F(GameDialogTest, ABindingsFileThatCannotBeReadIsSaidAndKept) {
    ASSERT_TRUE(std::filesystem::create_directory(folder + kGameBindingsName));
    auto dialog = Open("EN");
    const std::string unreadable = dialog->texts().unreadable;
    EXPECT_EQ(dialog->status().left(10).toStdString(), unreadable.substr(0, 10));
    QSignalSpy changed(dialog.get(), &CGameDialog::bindingsChanged);
    Type(*dialog, "shooter.exe");
    EXPECT_TRUE(dialog->status().startsWith("Nothing was changed: ")) << dialog->status().toStdString();
    EXPECT_TRUE(std::filesystem::is_directory(folder + kGameBindingsName));
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(GameDialogTest, KeyboardGoesThroughTheControlsAndEscapeCloses) {
    auto dialog = Open("EN");
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    QApplication::setActiveWindow(dialog.get());
    EXPECT_EQ(QApplication::focusWidget(), dialog->nameField()); // ready for a name
    const std::vector<QWidget*> order{dialog->findChild<CBitmapBtn*>("addGame"),
                                      dialog->findChild<CBitmapBtn*>("runningPrograms"),
                                      dialog->findChild<CBitmapBtn*>("removeGame"),
                                      dialog->findChild<CBitmapBtn*>("closeGames"), dialog->list(), dialog->nameField()};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    EXPECT_FALSE(dialog->list()->accessibleName().isEmpty());
    EXPECT_FALSE(dialog->nameField()->accessibleName().isEmpty());
    QTest::keyClick(dialog->nameField(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

} // namespace
} // namespace qv530
