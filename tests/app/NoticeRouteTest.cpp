#include "app/NoticeRoute.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

TEST(NoticeRoute, TrayFirstThenTheDesktopServiceThenTheShownWindow) {
    for (bool service : {false, true})
        for (bool shown : {false, true}) EXPECT_EQ(ChooseNoticeRoute(true, service, shown), NoticeRoute::TrayBalloon);
    EXPECT_EQ(ChooseNoticeRoute(false, true, false), NoticeRoute::Desktop);
    EXPECT_EQ(ChooseNoticeRoute(false, true, true), NoticeRoute::Desktop);
    EXPECT_EQ(ChooseNoticeRoute(false, false, true), NoticeRoute::StatusLine);
    EXPECT_EQ(ChooseNoticeRoute(false, false, false), NoticeRoute::Dropped);
}

TEST(NoticeRoute, OnlyTheStageNoticesReplaceEachOther) {
    EXPECT_TRUE(IsDpiNotice(0));
    EXPECT_TRUE(IsDpiNotice(1));
    for (int kind : {9, 14, 15, 2, -1}) EXPECT_FALSE(IsDpiNotice(kind)) << kind;
}

TEST(NoticeRoute, WaylandPlacesWindowsItself) {
    for (const char* name : {"wayland", "wayland-egl", "wayland-brcm"}) EXPECT_FALSE(PlatformPlacesWindows(name)) << name;
    for (const char* name : {"xcb", "offscreen", "minimal", "", "eglfs"}) EXPECT_TRUE(PlatformPlacesWindows(name)) << name;
}

TEST(NoticeRoute, WithoutATrayASecondStartShowsTheWindowAndTheHelpMenuEnds) {
    EXPECT_FALSE(SecondStartShowsWindow(true));
    EXPECT_TRUE(SecondStartShowsWindow(false));
    EXPECT_FALSE(HelpMenuHasExit(true));
    EXPECT_TRUE(HelpMenuHasExit(false));
}

TEST(NoticeRoute, TheOpenActionSpeaksTheProgramsLanguage) {
    EXPECT_EQ(OpenActionText("EN"), "Open");
    EXPECT_EQ(OpenActionText("DE"), "Öffnen");
    EXPECT_EQ(OpenActionText("CHS"), "打开");
    EXPECT_EQ(OpenActionText("CHT"), "打開");
    EXPECT_EQ(OpenActionText(""), "Open");
    EXPECT_EQ(OpenActionText("chs"), "Open"); // codes are exact, as everywhere else
}

Notice Stage(const std::string& text) { return Notice{text, "Info", 5000}; }

TEST(DesktopNoticeQueue, EachStageNoticeReplacesTheOneBefore) {
    DesktopNoticeQueue queue;
    auto first = queue.Push(Stage("one"), true);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->replacesId, 0u);
    EXPECT_TRUE(first->replaceable);
    EXPECT_FALSE(queue.Answered(7));
    auto second = queue.Push(Stage("two"), true);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->replacesId, 7u);
    EXPECT_EQ(second->notice.text, "two");
    EXPECT_EQ(second->notice.milliseconds, 5000);
    // The service may answer with the same id when it replaced in place.
    EXPECT_FALSE(queue.Answered(7));
    EXPECT_EQ(queue.Push(Stage("three"), true)->replacesId, 7u);
}

TEST(DesktopNoticeQueue, QuickPressesWaitForTheIdAndOnlyTheLastOneFollows) {
    DesktopNoticeQueue queue;
    ASSERT_TRUE(queue.Push(Stage("one"), true));
    EXPECT_FALSE(queue.Push(Stage("two"), true));
    EXPECT_FALSE(queue.Push(Stage("three"), true));
    const auto next = queue.Answered(3);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->notice.text, "three");
    EXPECT_EQ(next->replacesId, 3u);
    EXPECT_FALSE(queue.Answered(3)); // nothing waits any more
    EXPECT_FALSE(queue.Answered(9)); // an answer nobody waits for changes nothing
    EXPECT_EQ(queue.lastId(), 3u);
}

TEST(DesktopNoticeQueue, OtherNoticesGoAtOnceAndAFailedCallKeepsTheChain) {
    DesktopNoticeQueue queue;
    ASSERT_TRUE(queue.Push(Stage("one"), true));
    const auto found = queue.Push(Notice{"found", "Info", 100}, false);
    ASSERT_TRUE(found); // not held back by the stage notice on its way
    EXPECT_EQ(found->replacesId, 0u);
    EXPECT_FALSE(found->replaceable);
    queue.Answered(5);
    ASSERT_TRUE(queue.Push(Stage("two"), true));
    queue.Answered(0); // the service failed: the next one still replaces 5
    EXPECT_EQ(queue.Push(Stage("three"), true)->replacesId, 5u);
}

} // namespace
} // namespace qv530
