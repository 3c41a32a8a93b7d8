#include "pages/CDlgLighting.h"
#include "pages/CDlgLightingPad.h"

#include <QPainter>
#include <QTest>

#include <memory>
#include <sstream>

#include "controls/CDMarker.h"
#include "controls/SkinGeometry.h"
#include "controls/SkinLoader.h"
#include "pages/ProfileEditor.h"
#include "profiles/ConfigFiles.h"
#include "profiles/DataFolderSetup.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

constexpr int kStandard = 1, kBreathing = 2, kNeon = 3;

// Both pages on a fresh factory profile, refreshed as the settings panel refreshes them.
class LightingPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("HOME", home.path().c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        std::ostringstream ignored;
        PrepareDataFolder(ignored, "qv530");
        SkinLoader::SetSkinFolder(QV530_SKIN_DIR);
        editor = std::make_unique<ProfileEditor>(DataFolder());
        editor->LoadAtStartUp();
        mouse = std::make_unique<CDlgLighting>(*editor, nullptr);
        pad = std::make_unique<CDlgLightingPad>(*editor, nullptr);
        QObject::connect(editor.get(), &ProfileEditor::recordReplaced, [this] {
            mouse->RefreshFromSettings();
            pad->RefreshFromSettings();
        });
        for (CDlgLightingPage* page : {static_cast<CDlgLightingPage*>(mouse.get()), static_cast<CDlgLightingPage*>(pad.get())}) {
            page->chooseColour = [this](QWidget*) {
                ++chooserOpened;
                return chosen;
            };
        }
    }
    const MouseSettings& s() const { return editor->settings(); }
    static void Click(QWidget* page, QRect area) { QTest::mouseClick(page, Qt::LeftButton, {}, area.center()); }
    static void DoubleClick(QWidget* page, QRect area) { QTest::mouseDClick(page, Qt::LeftButton, {}, area.center()); }
    // Drags the slider to the level under its `part`/`of` point and lets go.
    static void DragTo(CDMarker* slider, int part, int of) {
        const QPoint at(slider->width() * part / of, slider->height() / 2);
        QTest::mousePress(slider, Qt::LeftButton, {}, at);
        QTest::mouseRelease(slider, Qt::LeftButton, {}, at);
    }
    static std::vector<bool> Enabled(const CDlgLightingPage& page) {
        std::vector<bool> enabled;
        for (int row = 0; row < page.RowCount(); ++row) enabled.push_back(page.Slider(row)->isEnabled());
        return enabled;
    }
    // Whether the radio icon of `row` shows the lit picture.
    static bool RadioLit(CDlgLightingPage& page, int row) {
        const QImage shot = page.grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage lit = SkinLoader::Load("Skins/Enable.png");
        const QImage off = SkinLoader::Load("Skins/Disable.png");
        const QRect icon(skin::kLightingIconX, skin::LightingRowTop(row), skin::kRadioIcon.width, skin::kRadioIcon.height);
        const QImage drawn = shot.copy(icon);
        // Compare with both pictures drawn over the same background.
        int litDiff = 0, offDiff = 0;
        QImage withLit = drawn, withOff = drawn;
        {
            QImage bg = SkinLoader::Load(page.device() == LightDevice::Pad ? "Skins/Lighting/BK_PADLighting.png"
                                                                           : "Skins/Lighting/BK_Lighting.png")
                            .copy(icon)
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            withLit = bg;
            withOff = bg;
            QPainter(&withLit).drawImage(0, 0, lit);
            QPainter(&withOff).drawImage(0, 0, off);
        }
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                litDiff += drawn.pixel(x, y) != withLit.pixel(x, y);
                offDiff += drawn.pixel(x, y) != withOff.pixel(x, y);
            }
        EXPECT_TRUE(litDiff == 0 || offDiff == 0) << "row " << row << " shows neither radio picture";
        return litDiff == 0;
    }
    // Whether the white frame surrounds swatch j (a pixel two left of it is white).
    static bool Framed(CDlgLightingPage& page, int swatch) {
        const QImage shot = page.grab().toImage();
        const QRect r = page.SwatchRect(swatch);
        return shot.pixelColor(r.left() - 2, r.center().y()) == QColor(Qt::white) &&
               shot.pixelColor(r.center().x(), r.top() - 3) == QColor(Qt::white);
    }

    test::TempDir home;
    std::unique_ptr<ProfileEditor> editor;
    std::unique_ptr<CDlgLighting> mouse;
    std::unique_ptr<CDlgLightingPad> pad;
    std::optional<QColor> chosen;
    int chooserOpened = 0;
};

TEST_F(LightingPageTest, PagesHaveTheirSizesSlidersAndTheFactoryState) {
    EXPECT_EQ(mouse->size(), QSize(skin::kLightingPage.width, skin::kLightingPage.height));
    EXPECT_EQ(pad->size(), QSize(skin::kPadLightingPage.width, skin::kPadLightingPage.height));
    const std::vector<int> mouseIds{2037, 2038, 2039, 2040, 2045};
    const std::vector<int> padIds{2037, 2038, 2039, 2045}; // no finger tapping on the pad
    ASSERT_EQ(mouse->RowCount(), 5);
    ASSERT_EQ(pad->RowCount(), 4);
    for (int row = 0; row < 5; ++row) {
        EXPECT_EQ(mouse->Slider(row)->ControlId(), mouseIds[static_cast<std::size_t>(row)]);
        EXPECT_EQ(mouse->Slider(row)->Minimum(), 1);
        EXPECT_EQ(mouse->Slider(row)->Maximum(), 6);
    }
    for (int row = 0; row < 4; ++row) EXPECT_EQ(pad->Slider(row)->ControlId(), padIds[static_cast<std::size_t>(row)]);
    // Factory: neon on both, its slider alone live, levels 3 and 4.
    EXPECT_EQ(Enabled(*mouse), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(Enabled(*pad), (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(mouse->Slider(0)->Pos(), 3);
    EXPECT_EQ(mouse->Slider(4)->Pos(), 4);
    EXPECT_TRUE(RadioLit(*mouse, 2));
    EXPECT_FALSE(RadioLit(*mouse, 1));
    EXPECT_TRUE(Framed(*mouse, kColourCycleSwatch));
}

TEST_F(LightingPageTest, PickBreathingMoveItsSliderPickSwatchesThenStandard) {
    Click(mouse.get(), mouse->RadioRect(1));
    EXPECT_EQ(s().at(field::kMouseLightMode), kBreathing);
    EXPECT_EQ(Enabled(*mouse), (std::vector<bool>{false, true, false, false, false}));
    EXPECT_TRUE(RadioLit(*mouse, 1));

    DragTo(mouse->Slider(1), 1, 1); // the right end
    EXPECT_EQ(s().at(field::kMouseLightLevel + 1), 6);
    DragTo(mouse->Slider(2), 1, 1); // disabled: nothing moves
    EXPECT_EQ(s().at(field::kMouseLightLevel + 2), 4);

    Click(mouse.get(), mouse->SwatchRect(3));
    EXPECT_EQ(s().at(field::kMouseLightColor), 3);
    EXPECT_TRUE(Framed(*mouse, 3));
    Click(mouse.get(), mouse->SwatchRect(kColourCycleSwatch));
    EXPECT_EQ(s().at(field::kMouseLightColor), 5);

    Click(mouse.get(), mouse->RadioRect(0));
    EXPECT_EQ(s().at(field::kMouseLightMode), kStandard);
    EXPECT_EQ(s().at(field::kMouseLightColor), 0);
    EXPECT_TRUE(Framed(*mouse, 0));
    // Back to breathing: its own level is still there.
    Click(mouse.get(), mouse->RadioRect(1));
    EXPECT_EQ(mouse->Slider(1)->Pos(), 6);
    // The pad was not touched.
    EXPECT_EQ(s().at(field::kPadLightMode), kNeon);
    EXPECT_EQ(s().at(field::kPadLightColor), 1);
}

TEST_F(LightingPageTest, SwatchesIgnoreClicksAndDoubleClicksInNeon) {
    chosen = QColor(1, 2, 3);
    for (int j = 0; j < kSwatchCount; ++j) {
        Click(pad.get(), pad->SwatchRect(j));
        DoubleClick(pad.get(), pad->SwatchRect(j));
    }
    EXPECT_EQ(chooserOpened, 0);
    EXPECT_EQ(s().at(field::kPadLightColor), 1);
    EXPECT_EQ(StoredPaletteEntry(s(), LightDevice::Pad, 0), (Rgb{0xFF, 0, 0}));
    EXPECT_TRUE(Framed(*pad, kColourCycleSwatch));
}

TEST_F(LightingPageTest, DoubleClickOnASwatchEditsItsColourUnlessCancelled) {
    Click(pad.get(), pad->RadioRect(0));
    chosen = QColor(0x12, 0x34, 0x56);
    DoubleClick(pad.get(), pad->SwatchRect(4));
    EXPECT_EQ(chooserOpened, 1);
    EXPECT_EQ(StoredPaletteEntry(s(), LightDevice::Pad, 4), (Rgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(s().at(field::kPadLightColor), 4);
    EXPECT_EQ(StoredPaletteEntry(s(), LightDevice::Mouse, 4), (Rgb{0xFF, 0x00, 0xFF}));
    chosen.reset();
    DoubleClick(pad.get(), pad->SwatchRect(2));
    EXPECT_EQ(chooserOpened, 2);
    EXPECT_EQ(StoredPaletteEntry(s(), LightDevice::Pad, 2), (Rgb{0x00, 0xFF, 0x00}));
    // The colour cycle has no colour to edit.
    DoubleClick(pad.get(), pad->SwatchRect(kColourCycleSwatch));
    EXPECT_EQ(chooserOpened, 2);
}

TEST_F(LightingPageTest, AStoredEffectThePageCannotOfferLightsNothingAndIsKept) {
    MouseSettings odd = s();
    odd.at(field::kMouseLightMode) = 7;
    odd.at(field::kPadLightMode) = 4; // finger tapping, which the pad has not
    ProfileSnapshot snapshot = editor->Snapshot();
    snapshot.settings = odd;
    editor->TakeSnapshot(snapshot);

    EXPECT_EQ(Enabled(*mouse), std::vector<bool>(5, false));
    EXPECT_EQ(Enabled(*pad), std::vector<bool>(4, false));
    for (int row = 0; row < 5; ++row) EXPECT_FALSE(RadioLit(*mouse, row)) << row;
    for (int row = 0; row < 4; ++row) EXPECT_FALSE(RadioLit(*pad, row)) << row;
    EXPECT_TRUE(Framed(*mouse, kColourCycleSwatch));
    Click(mouse.get(), mouse->SwatchRect(0));
    mouse->RefreshFromSettings();
    EXPECT_EQ(s(), odd);
    // Until the user picks.
    Click(pad.get(), pad->RadioRect(3));
    EXPECT_EQ(s().at(field::kPadLightMode), 9);
    EXPECT_EQ(Enabled(*pad), (std::vector<bool>{false, false, false, true}));
}

TEST_F(LightingPageTest, CancelShowsTheLastAppliedRecord) {
    Click(mouse.get(), mouse->RadioRect(0));
    DragTo(mouse->Slider(0), 0, 1);
    EXPECT_EQ(s().at(field::kMouseLightLevel), 1);
    editor->RestoreLastApplied();
    EXPECT_EQ(s().at(field::kMouseLightMode), kNeon);
    EXPECT_EQ(Enabled(*mouse), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(mouse->Slider(0)->Pos(), 3);
}

TEST_F(LightingPageTest, KeyboardPicksEffectsLevelsAndSwatches) {
    mouse->show();
    mouse->setFocus();
    QTest::keyClick(mouse.get(), Qt::Key_Up); // neon -> breathing
    EXPECT_EQ(s().at(field::kMouseLightMode), kBreathing);
    QTest::keyClick(mouse.get(), Qt::Key_Right);
    EXPECT_EQ(s().at(field::kMouseLightLevel + 1), 5);
    EXPECT_EQ(mouse->Slider(1)->Pos(), 5);
    QTest::keyClick(mouse.get(), Qt::Key_6); // the colour cycle
    EXPECT_EQ(s().at(field::kMouseLightColor), 5);
    chosen = QColor(9, 8, 7);
    QTest::keyClick(mouse.get(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(StoredPaletteEntry(s(), LightDevice::Mouse, 1), (Rgb{9, 8, 7}));
    for (int i = 0; i < 9; ++i) QTest::keyClick(mouse.get(), Qt::Key_Down);
    EXPECT_EQ(s().at(field::kMouseLightMode), 9);
    for (int i = 0; i < 9; ++i) QTest::keyClick(mouse.get(), Qt::Key_Left);
    EXPECT_EQ(s().at(field::kMouseLightLevel + 8), 1);
}

TEST_F(LightingPageTest, AStoredLevelOutsideTheRangeShowsTheMinimumAndKeysStartThere) {
    ProfileSnapshot snapshot = editor->Snapshot();
    snapshot.settings.at(field::kPadLightMode) = kBreathing;
    snapshot.settings.at(field::kPadLightLevel + 1) = 200;
    editor->TakeSnapshot(snapshot);
    EXPECT_EQ(pad->Slider(1)->Pos(), 1);
    EXPECT_EQ(s().at(field::kPadLightLevel + 1), 200); // shown, not rewritten
    pad->show();
    pad->setFocus();
    QTest::keyClick(pad.get(), Qt::Key_Right);
    EXPECT_EQ(s().at(field::kPadLightLevel + 1), 2);
}

} // namespace
} // namespace qv530
