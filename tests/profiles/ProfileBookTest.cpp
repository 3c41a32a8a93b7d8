#include "profiles/ProfileBook.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

IniDocument List(const std::string& text) { return IniDocument::Parse(text); }

std::vector<std::string> Names(const ProfileBook& book) {
    std::vector<std::string> names;
    for (const ProfileEntry& entry : book.entries()) names.push_back(entry.name);
    return names;
}

TEST(ProfileNamesTest, NewFollowsTheListRuleAndCountsUpToAFreeName) {
    EXPECT_EQ(NextProfileName({}, "Profile"), "Profile 1");
    EXPECT_EQ(NextProfileName({"Profile 1", "Profile 2"}, "Profile"), "Profile 3");
    // A copy last: the text after its first space has no leading digits.
    EXPECT_EQ(NextProfileName({"Profile 2", "Copy Profile 2"}, "Profile"), "Profile 1");
    // ... and when "Profile 1" is taken the number counts up.
    EXPECT_EQ(NextProfileName({"Profile 1", "Profile 2", "Copy Profile 2"}, "Profile"), "Profile 3");
    // No space: the last name and the count.
    EXPECT_EQ(NextProfileName({"Work", "Game"}, "Profil"), "Game 2");
    EXPECT_EQ(NextProfileName({"Game 2", "Game"}, "Profil"), "Game 3"); // "Game 2" is taken
    EXPECT_EQ(NextProfileName({"Game 1", "Game 2", "Game 3", "Game"}, "P"), "Game 4");
    // A huge number does not overflow.
    EXPECT_EQ(NextProfileName({"Profile 99999999999999999999"}, "Profile").substr(0, 8), "Profile ");
}

TEST(ProfileBookTest, ReadsTheListAndSelectsTheCurrentEntryAsTheLoadDoes) {
    ProfileBook book = ProfileBook::Read(
        List("[Profile]\nItemCount=3\nItem0=Profile 1\nItem1=Profile 12\nItem2=Game\nCurProfileName=Profile 12\n"),
        "Profile");
    EXPECT_EQ(Names(book), (std::vector<std::string>{"Profile 1", "Profile 12", "Game"}));
    EXPECT_EQ(book.selected(), 1); // the equal name, not the first that begins with it
    EXPECT_FALSE(book.repaired());
    EXPECT_EQ(book.readCount(), 3);

    // Only the beginning of a name: the first entry beginning with it, ignoring case.
    book = ProfileBook::Read(List("[PROFILE]\nItemCount=2\nItem0=Work\nItem1=Game Night\nCurProfileName=game\n"), "P");
    EXPECT_EQ(book.selected(), 1);
    book = ProfileBook::Read(List("[Profile]\nItemCount=2\nItem0=Work\nItem1=Game\nCurProfileName=Other\n"), "P");
    EXPECT_EQ(book.selected(), -1);
    EXPECT_EQ(book.CloseSelection(), 0);
}

TEST(ProfileBookTest, DamagedListsShowWhatIsThereWithUniqueNames) {
    // Counts of 0, 7 and "x": the Item keys present from Item0 on, at most six.
    for (const char* count : {"0", "7", "x"}) {
        const ProfileBook book = ProfileBook::Read(
            List(std::string("[Profile]\nItemCount=") + count +
                 "\nItem0=A\nItem1=B\nItem2=C\nItem3=D\nItem4=E\nItem5=F\nItem6=G\nCurProfileName=B\n"),
            "Profile");
        EXPECT_EQ(book.count(), 6) << count;
        EXPECT_EQ(book.selected(), 1) << count;
        EXPECT_TRUE(book.repaired()) << count;
    }
    EXPECT_EQ(ProfileBook::Read(List("[Profile]\nItemCount=x\n"), "Profile").count(), 0);
    EXPECT_EQ(ProfileBook::Read(List(""), "Profile").count(), 0);

    // Missing names get the rule's name; repeated names a number, the
    // selected one (the last equal, as the load picks) keeps its name.
    const ProfileBook book = ProfileBook::Read(
        List("[Profile]\nItemCount=4\nItem0=Same\nItem2=Same\nItem3=a=[b]\nCurProfileName=Same\n"), "Profile");
    EXPECT_EQ(Names(book), (std::vector<std::string>{"Same 2", "Profile 2", "Same", "a=[b]"}));
    EXPECT_EQ(book.selected(), 2);
    EXPECT_TRUE(book.repaired());
}

TEST(ProfileBookTest, EditsKeepNamesUniqueAndTheLimits) {
    ProfileBook book =
        ProfileBook::Read(List("[Profile]\nItemCount=2\nItem0=Profile 1\nItem1=Profile 2\nCurProfileName=Profile 1\n"),
                          "Profile");
    EXPECT_EQ(book.New("Profile"), ProfileBook::Outcome::Done);
    EXPECT_EQ(book.entries().back().name, "Profile 3");
    EXPECT_TRUE(book.entries().back().isNew);
    EXPECT_EQ(book.entries().back().filesFrom, -1);
    EXPECT_EQ(book.selected(), 2);

    // Copies of a name whose copy exists get a number.
    EXPECT_EQ(book.Copy(0, "Copy"), ProfileBook::Outcome::Done);
    EXPECT_EQ(book.Copy(0, "Copy"), ProfileBook::Outcome::Done);
    EXPECT_EQ(book.entries()[3].name, "Copy Profile 1");
    EXPECT_EQ(book.entries()[4].name, "Copy Profile 1 2");
    EXPECT_EQ(book.entries()[4].filesFrom, 0);
    EXPECT_FALSE(book.entries()[4].isNew);
    EXPECT_EQ(book.selected(), 2); // a copy does not move the selection

    // A rename to a taken, empty or multi-line name keeps the old name.
    EXPECT_EQ(book.Rename(1, "Profile 1"), ProfileBook::Outcome::Ignored);
    EXPECT_EQ(book.Rename(1, ""), ProfileBook::Outcome::Ignored);
    EXPECT_EQ(book.Rename(1, "two\nlines"), ProfileBook::Outcome::Ignored);
    EXPECT_EQ(book.entries()[1].name, "Profile 2");
    EXPECT_EQ(book.Rename(1, "Shooter [fast] = 1"), ProfileBook::Outcome::Done);

    // The sixth entry is the last; the seventh is refused.
    EXPECT_EQ(book.New("Profile"), ProfileBook::Outcome::Done);
    EXPECT_EQ(book.count(), 6);
    EXPECT_EQ(book.New("Profile"), ProfileBook::Outcome::Limit);
    EXPECT_EQ(book.Copy(0, "Copy"), ProfileBook::Outcome::Limit);
    EXPECT_EQ(book.count(), 6);
}

TEST(ProfileBookTest, DeleteKeepsEachEntrysFilesAndTheSelection) {
    ProfileBook book = ProfileBook::Read(
        List("[Profile]\nItemCount=3\nItem0=A\nItem1=B\nItem2=C\nCurProfileName=C\n"), "Profile");
    EXPECT_EQ(book.Delete(1), ProfileBook::Outcome::Done);
    EXPECT_EQ(Names(book), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(book.entries()[1].filesFrom, 2); // C still holds its own files
    EXPECT_EQ(book.selected(), 1);             // and stays selected
    EXPECT_EQ(book.PositionOfOrigin(2), 1);
    EXPECT_EQ(book.PositionOfOrigin(1), -1);

    // The selected entry deleted: the entry now at its place, or the last.
    book.Select(1);
    EXPECT_EQ(book.Delete(1), ProfileBook::Outcome::Done);
    EXPECT_EQ(book.selected(), 0);
    EXPECT_EQ(book.Delete(0), ProfileBook::Outcome::Ignored); // the last entry stays
    EXPECT_EQ(book.count(), 1);
}

} // namespace
} // namespace qv530
