// The settings panel and its pages on the offscreen platform: clicks on their
// hot areas change the record through the editor.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "controls/CBitmapBtn.h"
#include "controls/CDMarker.h"
#include "controls/CFocusItem.h"
#include "controls/CSkinScrollBar.h"
#include "controls/SkinLoader.h"
#include "pages/CDlgAngleSnap.h"
#include "pages/CDlgDPISetting.h"
#include "pages/CDlgDoubleClick.h"
#include "pages/CDlgMouseSpeed.h"
#include "pages/CDlgMouseWheelSpeed.h"
#include "pages/CDlgUSBReportRate.h"
#include "pages/CDlgadvance.h"
#include "platform/DebugLog.h"
#include "settings/PerformanceEdits.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace qv530 {
namespace {

class PagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
        editor = std::make_unique<ProfileEditor>(folder.path());
        Replace([](MouseSettings&) {});
    }
    // The record replaced as a whole: the defaults, changed by `change`.
    template <typename Fn>
    void Replace(Fn change) {
        ProfileSnapshot snapshot{MouseSettings{}, MouseSettings{}, DeviceState{}, ConfigFiles(folder.path()), {}};
        ResetToDefaults(snapshot.settings);
        change(snapshot.settings);
        snapshot.sent = snapshot.settings;
        editor->TakeSnapshot(std::move(snapshot));
    }
    std::uint8_t At(std::size_t offset) const { return editor->settings().at(offset); }
    static void Click(QWidget* w, QPoint p) { QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p); }

    test::TempDir folder;
    std::unique_ptr<ProfileEditor> editor;
};

TEST_F(PagesTest, DpiSliderIconSwatchAndTypedValue) {
    CDlgDPISetting page(*editor);
    page.show();
    EXPECT_EQ(page.size(), QSize(220, 262));
    EXPECT_EQ(page.marker(0)->Maximum(), 180);
    EXPECT_EQ(page.marker(0)->Pos(), 12);

    // The on/off icon toggles; the slider of a disabled stage switches it on.
    const QPoint icon = CDlgPage::ToQt(skin::DpiIcon(1)).center();
    Click(&page, icon);
    EXPECT_EQ(At(field::kDpiStageOn + 1), 0);
    CDMarkerV* marker = page.marker(1);
    QTest::mouseClick(marker, Qt::LeftButton, Qt::NoModifier, QPoint(3, 0));  // the top: the maximum
    EXPECT_EQ(At(field::kDpiStageA + 1), 180);
    EXPECT_EQ(At(field::kDpiStageOn + 1), 1);

    // The swatch opens the chooser on the stage's colour, only for an enabled stage.
    std::vector<QColor> asked;
    page.chooseColour = [&](const QColor& initial) -> std::optional<QColor> {
        asked.push_back(initial);
        return QColor(1, 2, 3);
    };
    Click(&page, CDlgPage::ToQt(skin::DpiSwatch(0)).center());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QColor(255, 0, 0));
    EXPECT_EQ(At(field::kDpiStageColor), 1);
    Click(&page, CDlgPage::ToQt(skin::DpiIcon(0)).center());
    Click(&page, CDlgPage::ToQt(skin::DpiSwatch(0)).center());
    EXPECT_EQ(asked.size(), 1u);

    // The value box opens the number box; Enter commits by the rule.
    Click(&page, CDlgPage::ToQt(skin::DpiValueBox(2)).center());
    ASSERT_EQ(page.openStage(), 2);
    QLineEdit* box = page.edit(2);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "2400");
    box->setText("9999");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(At(field::kDpiStageA + 2), 171);
    EXPECT_EQ(page.marker(2)->Pos(), 171);
    EXPECT_FALSE(box->isVisible());

    // The same number typed into the next stage is taken too; a click elsewhere commits.
    Click(&page, CDlgPage::ToQt(skin::DpiValueBox(3)).center());
    QTest::keyClicks(page.edit(3), "9999");
    Click(&page, QPoint(100, 255));
    EXPECT_EQ(At(field::kDpiStageA + 3), 171);
    EXPECT_EQ(page.openStage(), -1);
}

// The painted parts are focus items whose keys make the same edits as clicks.
TEST_F(PagesTest, KeysOnThePaintedPartsEditLikeClicks) {
    const auto items = [](QWidget& page, const char* name) { return page.findChildren<CFocusItem*>(name); };
    // DPI: Space switches a stage off; its slider's key switches it on again, as a drag does.
    CDlgDPISetting dpi(*editor);
    const auto stageOn = items(dpi, "dpiStageOnItem");
    ASSERT_EQ(stageOn.size(), 7);
    QTest::keyClick(stageOn[1], Qt::Key_Space);
    EXPECT_EQ(At(field::kDpiStageOn + 1), 0);
    QTest::keyClick(dpi.marker(1), Qt::Key_End);
    EXPECT_EQ(At(field::kDpiStageA + 1), 180);
    EXPECT_EQ(At(field::kDpiStageOn + 1), 1);
    QTest::keyClick(items(dpi, "dpiValueItem")[2], Qt::Key_F2);
    EXPECT_EQ(dpi.openStage(), 2);
    QTest::keyClick(dpi.edit(2), Qt::Key_Escape);
    EXPECT_EQ(dpi.openStage(), -1);
    int chooserOpened = 0;
    dpi.chooseColour = [&](const QColor&) -> std::optional<QColor> {
        ++chooserOpened;
        return std::nullopt;
    };
    QTest::keyClick(items(dpi, "dpiColourItem")[0], Qt::Key_Space);
    EXPECT_EQ(chooserOpened, 1);

    // The dial's quarters: Space chooses, the arrows go round clockwise (1000, 500, 250, 125 Hz).
    CDlgUSBReportRate rate(*editor);
    const auto quarters = items(rate, "rateItem");
    ASSERT_EQ(quarters.size(), 4);
    QTest::keyClick(quarters[0], Qt::Key_Space);
    EXPECT_EQ(At(field::kReportRate), 1);
    QTest::keyClick(quarters[0], Qt::Key_Right);
    EXPECT_EQ(At(field::kReportRate), 2);
    QTest::keyClick(quarters[0], Qt::Key_Left);
    EXPECT_EQ(At(field::kReportRate), 8);

    // The gauge: Home, Up, End, Page Down within 1..11.
    CDlgMouseSpeed speed(*editor);
    CFocusItem* gauge = items(speed, "speedGauge").value(0);
    ASSERT_NE(gauge, nullptr);
    const struct {
        Qt::Key key;
        int level;
    } gaugeKeys[] = {{Qt::Key_Home, 1}, {Qt::Key_Up, 2}, {Qt::Key_End, 11}, {Qt::Key_Right, 11}, {Qt::Key_PageDown, 10}};
    for (const auto& k : gaugeKeys) {
        QTest::keyClick(gauge, k.key);
        EXPECT_EQ(At(field::kPointerSpeed), k.level) << k.key;
    }

    // OFF and ON; lines or one screen, and Up in the lines box.
    CDlgAngleSnap angle(*editor);
    QTest::keyClick(items(angle, "angleOnItem")[0], Qt::Key_Space);
    EXPECT_EQ(At(field::kAngleSnapOn), 1);
    QTest::keyClick(items(angle, "angleOnItem")[0], Qt::Key_Right);
    EXPECT_EQ(At(field::kAngleSnapOn), 0);
    CDlgMouseWheelSpeed wheel(*editor);
    QTest::keyClick(wheel.linesBox(), Qt::Key_Up);
    EXPECT_EQ(At(field::kWheelLines), 4);
    EXPECT_EQ(wheel.linesBox()->text(), "4");
    QTest::keyClick(items(wheel, "wheelScreenItem")[0], Qt::Key_Space);
    EXPECT_EQ(At(field::kWheelPageScroll), 1);
    EXPECT_FALSE(wheel.linesBox()->isEnabled());
}

TEST_F(PagesTest, DpiVariantAndStrayCodes) {
    Replace([](MouseSettings& s) {
        s.DpiStageA(0) = 0;
        s.DpiStageB(0) = 200;
    });
    CDlgDPISetting page(*editor);
    EXPECT_EQ(page.marker(0)->Pos(), 1);
    page.SetDpiVariant(true);
    EXPECT_EQ(page.marker(0)->Maximum(), 120);
    EXPECT_EQ(page.marker(0)->Pos(), 120);
    EXPECT_EQ(page.marker(1)->Pos(), 10);
    EXPECT_EQ(At(field::kDpiStageB), 200);  // shown, not stored
    Click(&page, CDlgPage::ToQt(skin::DpiValueBox(1)).center());
    page.edit(1)->setText("1250");
    QTest::keyClick(page.edit(1), Qt::Key_Return);
    EXPECT_EQ(At(field::kDpiStageB + 1), 12);
    EXPECT_EQ(At(field::kDpiStageA + 1), 24);
}

// What is typed into a DPI box is kept when the user leaves it without
// Enter (a click elsewhere, the section closing, Apply); Escape drops it, and
// a box opened and left untouched changes nothing, not even a stray code.
TEST_F(PagesTest, TypedDpiIsKeptWhenTheBoxIsLeftAndDroppedOnEscape) {
    Replace([](MouseSettings& s) { s.DpiStageA(0) = 0; });
    CDlgadvance panel(*editor);
    panel.show();
    panel.ToggleSection(kSectionDpi);
    CDlgDPISetting& page = *panel.dpiPage();
    const auto type = [&](int stage, const char* text) {
        Click(&page, CDlgPage::ToQt(skin::DpiValueBox(stage)).center());
        ASSERT_EQ(page.openStage(), stage);
        QTest::keyClicks(page.edit(stage), text);
    };
    const struct {
        const char* how;
        int stage;
        const char* typed;
        std::function<void()> leave;
        int code;
    } cases[] = {
        {"Escape", 1, "900", [&] { QTest::keyClick(page.edit(1), Qt::Key_Escape); }, 24},
        {"a click on another section's title", 2, "3200",
         [&] { Click(panel.TitleBar(kSectionReportRate), {5, 5}); }, 64},
        {"the section closing", 3, "4000", [&] { panel.ToggleSection(kSectionDpi); }, 80},
        {"the window's commit before Apply", 4, "1000", [&] { panel.CommitTypedValues(); }, 20},
    };
    for (const auto& c : cases) {
        if (panel.Collapsed(kSectionDpi)) panel.ToggleSection(kSectionDpi);
        type(c.stage, c.typed);
        c.leave();
        EXPECT_EQ(At(field::kDpiStageA + static_cast<std::size_t>(c.stage)), c.code) << c.how;
        EXPECT_EQ(page.openStage(), -1) << c.how;
        EXPECT_FALSE(page.edit(c.stage)->isVisible()) << c.how;
    }
    if (panel.Collapsed(kSectionDpi)) panel.ToggleSection(kSectionDpi);
    Click(&page, CDlgPage::ToQt(skin::DpiValueBox(0)).center());
    panel.CommitTypedValues();
    EXPECT_EQ(At(field::kDpiStageA), 0);
}

TEST_F(PagesTest, RateDialAndRateZero) {
    Replace([](MouseSettings& s) { s.at(field::kReportRate) = 0; });
    CDlgUSBReportRate page(*editor);
    EXPECT_EQ(At(field::kReportRate), 2);
    const QPoint c(skin::kRateDialCentre.x, skin::kRateDialCentre.y);
    Click(&page, c + QPoint(30, -30));
    EXPECT_EQ(At(field::kReportRate), 1);
    Click(&page, c + QPoint(0, -50));  // on the axis
    Click(&page, c + QPoint(5, -5));   // the centre
    EXPECT_EQ(At(field::kReportRate), 1);
    Click(&page, c + QPoint(-30, 30));
    EXPECT_EQ(At(field::kReportRate), 4);
}

TEST_F(PagesTest, AngleSnapIcons) {
    CDlgAngleSnap page(*editor);
    Click(&page, CDlgPage::ToQt(skin::kAngleOnIcon).center());
    EXPECT_EQ(At(field::kAngleSnapOn), 1);
    Click(&page, CDlgPage::ToQt(skin::kAngleOffIcon).center());
    EXPECT_EQ(At(field::kAngleSnapOn), 0);
}

TEST_F(PagesTest, SpeedDialsStoreTheirLevel) {
    CDlgMouseSpeed speed(*editor);
    CDlgDoubleClick doubleClick(*editor);
    const QPoint c(skin::kSpeedDialCentre.x, skin::kSpeedDialCentre.y);
    Click(&speed, c + QPoint(0, -50));
    EXPECT_EQ(At(field::kPointerSpeed), 7);
    Click(&speed, c + QPoint(50, -5));
    EXPECT_EQ(At(field::kPointerSpeed), 11);
    Click(&speed, c + QPoint(-50, 10));  // below the centre line
    EXPECT_EQ(At(field::kPointerSpeed), 11);
    DebugCapture debug;
    Click(&doubleClick, c + QPoint(-50, -2));
    EXPECT_EQ(At(field::kDoubleClickLevel), 1);
    EXPECT_EQ(At(field::kPointerSpeed), 11);
    Click(&doubleClick, c + QPoint(0, -50));
    EXPECT_EQ(At(field::kDoubleClickLevel), 7);
    // The double-click page traces each angle; the speed page does not.
    EXPECT_EQ(debug.Texts(), (std::vector<std::string>{"angle/18:angle=185.000000,angle/18=10\n",
                                                        "angle/18:angle=90.000000,angle/18=5\n"}));
    Click(&speed, c + QPoint(0, -50));
    EXPECT_EQ(debug.Texts().size(), 2u);
}

TEST_F(PagesTest, WheelOptionsArrowsAndBox) {
    CDlgMouseWheelSpeed page(*editor);
    page.show();
    QLineEdit* box = page.linesBox();
    EXPECT_EQ(box->text(), "3");
    const QRect arrows = CDlgPage::ToQt(skin::kWheelArrows);
    Click(&page, arrows.topLeft() + QPoint(5, 3));
    EXPECT_EQ(At(field::kWheelLines), 4);
    EXPECT_EQ(box->text(), "4");
    Click(&page, arrows.bottomLeft() + QPoint(5, -3));
    EXPECT_EQ(At(field::kWheelLines), 3);

    box->selectAll();
    QTest::keyClicks(box, "101");  // "1", "10", "101" -> "1"
    EXPECT_EQ(box->text(), "1");
    EXPECT_EQ(At(field::kWheelLines), 1);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);  // empty reads as 0
    EXPECT_EQ(box->text(), "1");

    Click(&page, CDlgPage::ToQt(skin::kWheelScreenIcon).center());
    EXPECT_EQ(At(field::kWheelPageScroll), 1);
    EXPECT_FALSE(box->isEnabled());
    Click(&page, arrows.topLeft() + QPoint(5, 3));
    EXPECT_EQ(At(field::kWheelLines), 1);  // no arrows in one-screen mode

    // The box's own "0" in one-screen mode never becomes a line count.
    Replace([](MouseSettings& s) {
        s.at(field::kWheelPageScroll) = 1;
        s.at(field::kWheelLines) = 9;
    });
    page.RefreshFromSettings();
    EXPECT_EQ(box->text(), "0");
    EXPECT_EQ(At(field::kWheelLines), 9);
    Click(&page, CDlgPage::ToQt(skin::kWheelLinesIcon).center());
    EXPECT_EQ(box->text(), "9");
    EXPECT_TRUE(box->isEnabled());
}

TEST_F(PagesTest, PanelStacksTogglesAndScrolls) {
    CDlgadvance panel(*editor);
    panel.show();
    QSignalSpy cleared(&panel, &CDlgadvance::clearSelection);
    EXPECT_FALSE(panel.TitleBar(kSectionPadLighting)->isVisible());
    EXPECT_EQ(panel.TitleBar(kSectionReportRate)->y(), 55);
    EXPECT_EQ(panel.contentHeight(), 563);
    EXPECT_FALSE(panel.verticalBar()->isVisible());

    QTest::mouseClick(panel.TitleBar(kSectionDpi), Qt::LeftButton);
    EXPECT_FALSE(panel.Collapsed(kSectionDpi));
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_TRUE(panel.SectionPage(kSectionDpi)->isVisible());
    EXPECT_EQ(panel.SectionPage(kSectionDpi)->y(), 30);

    panel.SetPadPresent(true);
    panel.Relayout();
    EXPECT_TRUE(panel.TitleBar(kSectionPadLighting)->isVisible());
    EXPECT_EQ(panel.TitleBar(kSectionReportRate)->y(), 30 + 262 + 5 + 50);

    for (int s = 1; s < kPanelSections; ++s) panel.ToggleSection(s);
    EXPECT_GT(panel.contentHeight(), 563);
    EXPECT_TRUE(panel.verticalBar()->isVisible());
    panel.Scroll(1, 0);
    EXPECT_EQ(panel.scrollPosition(), 60);
    panel.Scroll(3, 0);
    EXPECT_EQ(panel.scrollPosition(), 60 + panel.clientHeight());
    panel.wheelLines = [] { return -1; };
    QWheelEvent up(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(&panel, &up);
    EXPECT_EQ(panel.scrollPosition(), 60);
    QTest::keyClick(&panel, Qt::Key_Down);
    EXPECT_EQ(panel.scrollPosition(), 120);
    QTest::keyClick(&panel, Qt::Key_PageUp);
    EXPECT_EQ(panel.scrollPosition(), 0);
    QTest::keyClick(&panel, Qt::Key_Escape);  // swallowed, nothing else
    panel.Scroll(4, 100000);
    EXPECT_EQ(panel.scrollPosition(), panel.contentHeight() - panel.clientHeight());

    panel.CollapseAll();
    for (int s = 0; s < kPanelSections; ++s) EXPECT_TRUE(panel.Collapsed(s));
    EXPECT_EQ(panel.contentHeight(), 563);
    EXPECT_EQ(panel.scrollPosition(), 0);
    EXPECT_FALSE(panel.verticalBar()->isVisible());
}

TEST_F(PagesTest, PanelHostsALightingPageAndRefreshesEveryPage) {
    CDlgadvance panel(*editor);
    auto* lighting = new QWidget;
    lighting->setFixedSize(220, 100);
    panel.SetSectionPage(kSectionLighting, lighting);
    panel.ToggleSection(kSectionLighting);
    EXPECT_EQ(panel.SectionPage(kSectionLighting), lighting);
    EXPECT_EQ(panel.TitleBar(kSectionReportRate)->y(), 30 + 100 + 5 + 25);

    Replace([](MouseSettings& s) {
        s.DpiStageA(4) = 33;
        s.at(field::kReportRate) = 0;
    });
    panel.RefreshAllPages();
    EXPECT_EQ(panel.dpiPage()->marker(4)->Pos(), 33);
    EXPECT_EQ(At(field::kReportRate), 2);
}

} // namespace
} // namespace qv530
