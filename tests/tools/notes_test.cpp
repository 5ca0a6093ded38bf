// The notes' text rules: adding lines, the find, the file's bytes, the window's place, moving the file.
#include "tools/notes.h"

#include <gtest/gtest.h>

namespace vantrelo {
namespace {

TEST(Notes, AddedTextGoesOnTopOrAtTheBottomAsLines) {
    struct Case {
        const char* notes;
        const char* text;
        bool bottom;
        const char* expected;
    } cases[] = {
        {"", "milk", false, "milk"},
        {"old", "milk", false, "milk\nold"},
        {"old", "milk", true, "old\nmilk"},
        {"old\n", "milk", true, "old\nmilk"},
        {"old", "two\r\nlines", false, "two\nlines\nold"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NotesWithText(QString::fromUtf8(c.notes), QString::fromUtf8(c.text), c.bottom),
                  QString::fromUtf8(c.expected))
            << c.notes << " + " << c.text;
}

TEST(Notes, TheFileIsUtf8WithAMarkAndCrLfAndReadsBackTheSame) {
    const QByteArray bytes = NotesFileBytes(QStringLiteral("ä\nb"));
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF\xC3\xA4\r\nb"));
    EXPECT_EQ(NotesFromFile(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(NotesDigest(QStringLiteral("a\r\nb")), NotesDigest(QStringLiteral("a\nb")));
    EXPECT_NE(NotesDigest(QStringLiteral("a")), NotesDigest(QStringLiteral("b")));
}

TEST(Notes, FindGoesThroughTheMatchesIgnoringCaseAndStartsOverAtTheEnd) {
    const QString notes = QStringLiteral("abc and ABC");
    TNotesFind state;
    TFindHit hit = FindInNotes(state, QStringLiteral("abc"), notes, true);
    EXPECT_EQ(hit.at, 0);
    EXPECT_EQ(hit.label, "Found, and more results exist (press F3 for next).");
    hit = FindInNotes(state, QStringLiteral("abc"), notes, true);
    EXPECT_EQ(hit.at, 8);
    EXPECT_EQ(hit.label, "Found, and no more results found.");
    EXPECT_EQ(FindInNotes(state, QStringLiteral("abc"), notes, true).at, 0) << "the third starts at the top";
    EXPECT_EQ(FindInNotes(state, QStringLiteral("ABC"), notes, false).at, 0) << "from the top, ignoring case";
    EXPECT_EQ(FindInNotes(state, QStringLiteral("and"), notes, true).at, 4) << "a new text starts at the top";
    EXPECT_EQ(FindInNotes(state, QString(), notes, true).label, "Not found.");
    EXPECT_EQ(FindInNotes(state, QStringLiteral("zzz"), notes, true).at, -1);
}

TEST(Notes, TheRememberedPlaceIsReadOnlyWhenItIsFourWholeNumbers) {
    EXPECT_EQ(ParseNotesSizePos(QStringLiteral("600,400,30,40")), QRect(40, 30, 600, 400));
    EXPECT_EQ(FormatNotesSizePos(QRect(40, 30, 600, 400)), "600,400,30,40");
    for (const char* bad : {"", "x", "600,400,30", "600,400,a,40", "0,400,30,40", "600,99999,30,40"})
        EXPECT_FALSE(ParseNotesSizePos(QString::fromLatin1(bad))) << bad;
}

TEST(Notes, TheWindowStaysOnTheScreenNearTheInputWindow) {
    EXPECT_EQ(NotesDefaultPosition({100, 100}, {600, 450}, {1920, 1080}), QPoint(100, 100));
    EXPECT_EQ(NotesDefaultPosition({1800, 1000}, {600, 450}, {1920, 1080}), QPoint(1920 - 600 - 20, 1080 - 450 - 50));
}

TEST(Notes, MovingToAnotherFileOverwritesDiscardsOrMerges) {
    EXPECT_EQ(MovedNotes(TNotesMove::Overwrite, "a", "b"), "a");
    EXPECT_EQ(MovedNotes(TNotesMove::Discard, "a", "b"), "b");
    EXPECT_EQ(MovedNotes(TNotesMove::Merge, "a", "b"), "a\n\nb");
    EXPECT_EQ(MovedNotes(TNotesMove::Merge, "a\r\n", "b"), "a\n\nb");
}

} // namespace
} // namespace vantrelo
