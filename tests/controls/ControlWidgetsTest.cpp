// The skinned controls driven like a user would, on the offscreen platform.
#include "CBitmapBtn.h"
#include "CDMarker.h"
#include "CExMenu.h"
#include "CFocusItem.h"
#include "CLBEditorWnd.h"
#include "CListBoxPro.h"
#include "CSkinScrollBar.h"

#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace qv530 {
namespace {

QImage Solid(int w, int h, QColor c) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(c);
    return image;
}

TEST(CDMarkerWidget, ClickWithoutMovementNotifiesOnce) {
    QWidget parent;
    parent.resize(300, 100);
    CDMarker marker(QRect(10, 10, 208, 9), &parent, 2025);
    marker.SetRange(1, 11);
    marker.SetPos(1);
    parent.show();
    QSignalSpy spy(&marker, &CDMarkerBase::markerChanged);
    QTest::mouseClick(&marker, Qt::LeftButton, {}, QPoint(104, 4));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 6);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 2025);
    EXPECT_EQ(marker.Pos(), 6);

    // A drag that ends beyond the right end gives the maximum, still once.
    spy.clear();
    QTest::mousePress(&marker, Qt::LeftButton, {}, QPoint(20, 4));
    QTest::mouseMove(&marker, QPoint(150, 4));
    EXPECT_EQ(spy.count(), 0);
    QTest::mouseRelease(&marker, Qt::LeftButton, {}, QPoint(400, 4));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 11);
}

TEST(CDMarkerWidget, DisabledMarkerNeitherMovesNorNotifies) {
    QWidget parent;
    parent.resize(100, 200);
    CDMarkerV marker(QRect(10, 10, 7, 169), &parent, 2027);
    marker.SetRange(1, 180);
    marker.SetPosClamped(500);
    EXPECT_EQ(marker.Pos(), 180);
    marker.SetPosClamped(50);
    parent.show();
    marker.setEnabled(false);
    QSignalSpy spy(&marker, &CDMarkerBase::markerChanged);
    QTest::mousePress(&marker, Qt::LeftButton, {}, QPoint(3, 160));
    QTest::mouseMove(&marker, QPoint(3, 10));
    QTest::mouseRelease(&marker, Qt::LeftButton, {}, QPoint(3, 10));
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(marker.Pos(), 50);

    // Enabled again: release below the bottom gives the minimum.
    marker.setEnabled(true);
    QTest::mouseClick(&marker, Qt::LeftButton, {}, QPoint(3, 168));
    QTest::mousePress(&marker, Qt::LeftButton, {}, QPoint(3, 100));
    QTest::mouseRelease(&marker, Qt::LeftButton, {}, QPoint(3, 400));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 1);
    // SetPos with a value outside the range shows the minimum.
    marker.SetPos(181);
    EXPECT_EQ(marker.Pos(), 1);
}

TEST(CBitmapBtnWidget, HoverMinXAndCheckBoxClicks) {
    QWidget parent;
    parent.resize(200, 60);
    CBitmapBtn button(&parent, 7);
    button.SetImages(0, 0, 140, 30, Solid(140, 30, Qt::red), Solid(140, 30, Qt::green), Solid(140, 30, Qt::blue),
                     Solid(140, 30, Qt::gray));
    button.hoverMinX = 40;
    parent.show();
    QTest::mouseMove(&button, QPoint(20, 10));
    EXPECT_FALSE(button.Hovered());
    EXPECT_EQ(button.grab().toImage().pixelColor(70, 15), QColor(Qt::red));
    QTest::mouseMove(&button, QPoint(60, 10));
    EXPECT_TRUE(button.Hovered());
    EXPECT_EQ(button.grab().toImage().pixelColor(70, 15), QColor(Qt::green));

    button.SetCheckBox(true);
    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(60, 10));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(button.Checked());
    button.setEnabled(false);
    EXPECT_EQ(button.CurrentPicture(), ButtonPicture::Pressed);
}

// Keys act like a completed drag: one report per change, none at an end;
// the accessible object carries the value, the range and the shown text.
TEST(CDMarkerWidget, KeysMoveLikeADragRelease) {
    QWidget parent;
    parent.resize(100, 200);
    CDMarkerV marker(QRect(10, 10, 7, 169), &parent, 2027);
    marker.SetRange(1, 180);
    marker.SetPos(100);
    marker.valueText = [](int value) { return QStringLiteral("%1 DPI").arg(value * 50); };
    parent.show();
    marker.setFocus(Qt::TabFocusReason);
    QSignalSpy spy(&marker, &CDMarkerBase::markerChanged);
    const struct {
        Qt::Key key;
        int expected;
    } keys[] = {{Qt::Key_Up, 101},     {Qt::Key_Left, 100}, {Qt::Key_PageUp, 117}, {Qt::Key_PageDown, 100},
                {Qt::Key_End, 180},    {Qt::Key_Right, 180}, {Qt::Key_Home, 1},    {Qt::Key_Down, 1}};
    int reports = 0;
    for (const auto& k : keys) {
        const int before = marker.Pos();
        QTest::keyClick(&marker, k.key);
        EXPECT_EQ(marker.Pos(), k.expected) << k.key;
        if (k.expected != before) ++reports;
        ASSERT_EQ(spy.count(), reports) << k.key;
        if (k.expected != before) {
            EXPECT_EQ(spy.last().at(0).toInt(), k.expected);
        }
    }
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&marker);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::Slider);
    ASSERT_NE(access->valueInterface(), nullptr);
    EXPECT_EQ(access->valueInterface()->maximumValue().toInt(), 180);
    access->valueInterface()->setCurrentValue(48);
    EXPECT_EQ(marker.Pos(), 48);
    EXPECT_EQ(spy.last().at(0).toInt(), 48);
    EXPECT_EQ(access->text(QAccessible::Value), QStringLiteral("2400 DPI"));
}

// Tab reaches the button and a click does not take the focus; Space
// presses it (Enter only where the owner lets it), a check box turns over,
// and its accessible object tells role, name and states.
TEST(CBitmapBtnWidget, KeyboardPressAndAccessibleState) {
    QWidget parent;
    parent.resize(200, 60);
    CBitmapBtn button(&parent, 7);
    button.SetImages(0, 0, 140, 30, Solid(140, 30, Qt::red), Solid(140, 30, Qt::green), Solid(140, 30, Qt::blue),
                     Solid(140, 30, Qt::gray));
    parent.show();
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    EXPECT_EQ(button.focusPolicy(), Qt::TabFocus);  // a click leaves the focus where it is
    // Focused by the window's activation or a click: no mark, the picture as it was.
    button.clearFocus();
    button.setFocus(Qt::ActiveWindowFocusReason);
    ASSERT_TRUE(button.hasFocus());
    const QImage plain = button.grab().toImage();
    for (int x = 0; x < plain.width(); ++x) ASSERT_EQ(plain.pixelColor(x, 0), QColor(Qt::red)) << x;
    // Reached by Tab: the highlight colour on the frame, the picture inside.
    button.clearFocus();
    button.setFocus(Qt::TabFocusReason);
    const QImage shown = button.grab().toImage();
    int marked = 0;
    for (int x = 0; x < shown.width(); ++x) marked += shown.pixelColor(x, 0) == QColor(255, 237, 0) ? 1 : 0;
    EXPECT_GT(marked, shown.width() / 4);  // dotted along the top edge
    EXPECT_EQ(shown.pixelColor(70, 15), QColor(Qt::red));

    QSignalSpy clicks(&button, &QAbstractButton::clicked);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    button.enterPresses = true;
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);

    button.SetCheckBox(true);
    button.SetCaption(QStringLiteral("Loop"));
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_TRUE(button.Checked());
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->text(QAccessible::Name), QStringLiteral("Loop"));
    EXPECT_TRUE(access->state().checkable);
    EXPECT_TRUE(access->state().checked);
    access->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(button.Checked());
    EXPECT_EQ(clicks.count(), 4);

    button.SetCheckBox(false);
    button.SetExpanded(false);
    button.setAccessibleName(QStringLiteral("Button 3: Scroll"));
    EXPECT_EQ(access->text(QAccessible::Name), QStringLiteral("Button 3: Scroll"));
    EXPECT_FALSE(access->state().checkable);
    EXPECT_TRUE(access->state().collapsed);
    button.SetExpanded(true);
    EXPECT_TRUE(access->state().expanded);
}

// A painted part: Space activates, arrows step, F2 edits, clicks go through.
TEST(CFocusItemWidget, KeysAndAccessibleObject) {
    QWidget parent;
    parent.resize(200, 100);
    int level = 6, activated = 0, edited = 0;
    CFocusItem item(&parent, QRect(20, 20, 40, 20), QAccessible::Slider, "gauge");
    EXPECT_EQ(item.geometry(), QRect(18, 18, 44, 24));
    EXPECT_TRUE(item.testAttribute(Qt::WA_TransparentForMouseEvents));
    item.name = [] { return QStringLiteral("Mouse Speed"); };
    item.range = CFocusItem::Range{1, 11};
    item.value = [&] { return level; };
    item.upIsMore = true;
    item.step = [&](KeyStep step) { level = SteppedValue(level, 1, 11, step); };
    item.activate = [&] { ++activated; };
    item.edit = [&] { ++edited; };
    parent.show();
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    item.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&item, Qt::Key_Up);
    QTest::keyClick(&item, Qt::Key_Right);
    EXPECT_EQ(level, 8);
    QTest::keyClick(&item, Qt::Key_End);
    EXPECT_EQ(level, 11);
    QTest::keyClick(&item, Qt::Key_Space);
    QTest::keyClick(&item, Qt::Key_Return);  // Enter is the owner's choice; off by default
    QTest::keyClick(&item, Qt::Key_F2);
    EXPECT_EQ(activated, 1);
    EXPECT_EQ(edited, 1);

    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&item);
    ASSERT_NE(access, nullptr);
    EXPECT_EQ(access->role(), QAccessible::Slider);
    EXPECT_EQ(access->text(QAccessible::Name), QStringLiteral("Mouse Speed"));
    ASSERT_NE(access->valueInterface(), nullptr);
    EXPECT_EQ(access->valueInterface()->currentValue().toInt(), 11);
    EXPECT_EQ(access->valueInterface()->minimumValue().toInt(), 1);
    EXPECT_TRUE(access->state().focused);
}

struct ListFixture : ::testing::Test {
    void SetUp() override {
        host.resize(200, 200);
        list = new CListBoxPro(&host, 1006);
        list->setGeometry(0, 0, 200, 200);
        for (const char* text : {"A   Dn", "50 ms", "A   Up", "Macro2"}) list->addItem(QString::fromLatin1(text));
        host.show();
        QApplication::processEvents();
    }
    QWidget host;
    CListBoxPro* list = nullptr;
};

TEST_F(ListFixture, ArrowKeysMoveTheSelection) {
    list->setCurrentRow(1);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Down);  // the last item stays
    EXPECT_EQ(list->currentRow(), 3);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_EQ(list->currentRow(), 2);
}

TEST_F(ListFixture, HoveredItemIsHighlightedAndReported) {
    QSignalSpy hover(list, &CListBoxPro::hoverItemChanged);
    const QRect second = list->visualItemRect(list->item(2));
    QTest::mouseMove(list->viewport(), second.center());
    ASSERT_EQ(hover.count(), 1);
    EXPECT_EQ(hover.at(0).at(0).toInt(), 2);
    EXPECT_EQ(hover.at(0).at(1).toInt(), 1006);
    const QImage shot = list->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(second.right() - 2, second.center().y()), QColor(255, 237, 0));
    const QRect first = list->visualItemRect(list->item(0));
    EXPECT_EQ(shot.pixelColor(first.right() - 2, first.center().y()), QColor(145, 145, 145));
    QTest::mouseMove(list->viewport(), second.center());  // same item: no second notice
    EXPECT_EQ(hover.count(), 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(list->viewport(), &leave);
    EXPECT_EQ(list->HoverItem(), -1);
}

TEST_F(ListFixture, EscKeepsTheItemAndStillNotifies) {
    QSignalSpy ended(list, &CListBoxPro::editEnded);
    list->SetEditMode(ListEditMode::MacroName);
    auto* editor = new CLBEditorWnd(list);
    ASSERT_TRUE(editor->BeginEdit(3, false));
    QTest::keyClicks(editor, "Renamed");
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), CLBEditorWnd::kControlId);
    EXPECT_EQ(ended.at(0).at(1).toInt(), 3);
    EXPECT_EQ(list->item(3)->text(), QStringLiteral("Macro2"));
}

TEST_F(ListFixture, EnterWritesTheDelayOnce) {
    QSignalSpy ended(list, &CListBoxPro::editEnded);
    list->SetEditMode(ListEditMode::Delay);
    auto* editor = new CLBEditorWnd(list);
    ASSERT_TRUE(editor->BeginEdit(1, true));
    editor->clear();
    QTest::keyClicks(editor, "7x0000");  // the letter is refused
    EXPECT_EQ(editor->text(), QStringLiteral("70000"));
    QTest::keyClick(editor, Qt::Key_Return);
    editor->EndEdit(true);  // a second end does nothing
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("65535 ms"));
    EXPECT_EQ(list->currentRow(), 1);

    // An index outside the list fails.
    auto* outside = new CLBEditorWnd(list);
    EXPECT_FALSE(outside->BeginEdit(9, false));
}

TEST(CSkinScrollBarWidget, HeldArrowRepeatsWithTheRightTiming) {
    QWidget host;
    host.resize(40, 200);
    CSkinScrollBar bar(Qt::Vertical, &host, 101);
    QImage skin(108, 36, QImage::Format_ARGB32_Premultiplied);
    skin.fill(Qt::darkRed);
    bar.SetSkin(skin);
    bar.setGeometry(0, 0, 12, 160);
    bar.SetScrollInfo({0, 999, 230, 765});
    std::int64_t now = 0;
    bar.SetClock([&now] { return now; });
    host.show();
    QSignalSpy spy(&bar, &CSkinScrollBar::scrolled);
    // The owner moves the position on each line code, as a scrolling window does.
    QObject::connect(&bar, &CSkinScrollBar::scrolled, [&bar](int code, int) {
        ScrollState s = bar.ScrollInfo();
        if (code == kScrollLineDown) s.pos = std::min(s.pos + 1, ScrollMaxPosition(s));
        bar.SetScrollInfo(s);
    });

    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(5, 155));
    ASSERT_EQ(spy.count(), 1);  // at once
    EXPECT_EQ(spy.at(0).at(0).toInt(), kScrollLineDown);
    now = 499;
    bar.RunRepeatTimer();
    EXPECT_EQ(spy.count(), 1);
    now = 500;
    bar.RunRepeatTimer();
    EXPECT_EQ(spy.count(), 2);  // after 500 ms
    now = 599;
    bar.RunRepeatTimer();
    EXPECT_EQ(spy.count(), 2);
    now = 600;
    bar.RunRepeatTimer();
    EXPECT_EQ(spy.count(), 3);  // then every 100 ms
    now = 1000;
    bar.RunRepeatTimer();
    EXPECT_EQ(bar.ScrollInfo().pos, 770);  // reached the end: 765 + 5
    EXPECT_FALSE(bar.Repeating());
    const auto sent = spy.count();
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(5, 155));
    now = 3000;
    bar.RunRepeatTimer();
    EXPECT_EQ(spy.count(), sent);
}

TEST(CSkinScrollBarWidget, ThumbDragReportsTrackThenPosition) {
    QWidget host;
    host.resize(40, 200);
    CSkinScrollBar bar(Qt::Vertical, &host, 101);
    QImage skin(108, 36, QImage::Format_ARGB32_Premultiplied);
    skin.fill(Qt::darkRed);
    bar.SetSkin(skin);
    bar.setGeometry(0, 0, 12, 160);
    bar.SetScrollInfo({0, 999, 230, 0});
    host.show();
    QSignalSpy spy(&bar, &CSkinScrollBar::scrolled);
    const int thumb = bar.Geometry().thumbStart() + 3;
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(5, thumb));
    QTest::mouseMove(&bar, QPoint(5, thumb + 500));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(5, thumb + 500));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(0).toInt(), kScrollThumbTrack);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 770);
    EXPECT_EQ(spy.at(1).at(0).toInt(), kScrollThumbPosition);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 770);
    EXPECT_EQ(bar.TrackPos(), -1);
}

TEST(CExMenuWidget, ItemSizesAndRedFrame) {
    InstallMenuStyle(*qApp);
    InstallMenuStyle(*qApp);  // once only
    CExMenu menu;
    QAction* twelve = menu.AppendItem(2001, QStringLiteral("Twelve chars"));
    QAction* line = menu.AppendItem(0, QString());
    QAction* other = menu.AppendItem(2002, QStringLiteral("Menu"));
    EXPECT_EQ(menu.Measure().itemWidth, 96);
    menu.popup(QPoint(0, 0));
    QApplication::processEvents();
    EXPECT_EQ(menu.actionGeometry(twelve).width(), 96);
    EXPECT_EQ(menu.actionGeometry(twelve).height(), 20);
    EXPECT_EQ(menu.actionGeometry(line).height(), 5);
    EXPECT_EQ(menu.actionGeometry(other).height(), 20);
    const QImage shot = menu.grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(143, 32, 32));
    EXPECT_EQ(shot.pixelColor(1, 1), QColor(111, 41, 41));
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(111, 41, 41));
    menu.hide();

    // Any other menu of the program gets the same frame.
    QMenu plain;
    plain.addAction(QStringLiteral("Exit"));
    plain.popup(QPoint(0, 0));
    QApplication::processEvents();
    EXPECT_EQ(plain.grab().toImage().pixelColor(0, 0), QColor(143, 32, 32));
    plain.hide();
}

}  // namespace
}  // namespace qv530
