#include <gtest/gtest.h>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>

#include "core/platform/file_io.h"
#include "core/platform/ini_file.h"
#include "core/platform/saporia_error.h"
#include "support/recipe_fixture.h"
#include "support/temp_app_dir.h"

TEST(FileIo, WritesCrLfCp932AndAFailedWriteLeavesTheOldFile) {
    TTempAppDir dir;
    WriteSjisLines(dir.Path("l.txt"), {QStringLiteral("卵"), QString()});
    EXPECT_EQ(dir.ReadBytes("l.txt"), QByteArray("\x97\x91\r\n\r\n"));
    EXPECT_EQ(ReadSjisLines(dir.Path("l.txt")), (QStringList{QStringLiteral("卵"), QString()}));
    // A character CP932 cannot hold fails before the file is touched.
    EXPECT_THROW(WriteSjisText(dir.Path("l.txt"), QString::fromUtf8("\xF0\x9F\x8D\xA3")), TSaporiaError);
    EXPECT_EQ(dir.ReadBytes("l.txt"), QByteArray("\x97\x91\r\n\r\n"));
    QDir().mkpath(dir.Path("d.txt"));
    EXPECT_THROW(WriteFileAtomic(dir.Path("d.txt"), "x"), TSaporiaError);

    for (const char* name : {"status.txt", "B.bmp", "a.BMP"})
        dir.WriteBytes(name, "");
    EXPECT_EQ(ExistingNameIgnoringCase(dir.AppDir(), "Status.txt"), QStringLiteral("status.txt"));
    EXPECT_EQ(ExistingNameIgnoringCase(dir.AppDir(), "none.txt"), QStringLiteral("none.txt"));
    EXPECT_EQ(SortedEntries(dir.AppDir(), {"*.bmp"}, false), (QStringList{"a.BMP", "B.bmp"}));
    EXPECT_EQ(WithoutExtension("a.b.jpg"), "a.b");
}

// Each would be an empty text a caller saves over the file, or a hang before the window appears
// (a FIFO blocks in open for ever).
TEST(FileIo, OnlyAWholeRegularFileIsRead) {
    TTempAppDir dir;
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("fifo.txt")).constData(), 0600), 0);
    for (const QString& path : {QStringLiteral("/proc/self/mem"), dir.Path("missing.txt"), dir.AppDir(),
                                dir.Path("fifo.txt"), QStringLiteral("/dev/null")}) {
        EXPECT_THROW(ReadFileBytes(path), TSaporiaError) << qPrintable(path);
        EXPECT_THROW(ReadSjisLines(path), TSaporiaError) << qPrintable(path);
    }
    TIniFile ini(dir.Path("fifo.txt"));  // is read as unreadable, not replaced
    ini.WriteString("A", "b", "c");
    EXPECT_THROW(ini.UpdateFile(), TSaporiaError);
    dir.WriteBytes("e.txt", "");
    EXPECT_EQ(ReadFileBytes(dir.Path("e.txt")), QByteArray());
}

// The size is looked at before a byte is read: up to the limit the file is read
// whole, one byte more and nothing is, with the reason.
TEST(FileIo, AFileOverItsReadersLimitIsNotRead) {
    TTempAppDir dir;
    const std::tuple<qsizetype, qint64, bool> rows[] = {
        {0, 8, true}, {8, 8, true}, {9, 8, false}, {9, NoSizeLimit, true}, {1, 0, false},
    };
    for (const auto& [size, limit, read] : rows) {
        SCOPED_TRACE(testing::Message() << size << " bytes, limit " << limit);
        const QByteArray bytes(size, 'x');
        dir.WriteBytes("f.txt", bytes);
        QByteArray got;
        errno = 0;
        EXPECT_EQ(ReadRegularFileAt(AT_FDCWD, QFile::encodeName(dir.Path("f.txt")).constData(), got, limit), read);
        EXPECT_EQ(errno == EFBIG, !read);
        EXPECT_EQ(got, read ? bytes : QByteArray());
        if (!read) {
            EXPECT_EQ(ErrorOf([&] { ReadSjisLines(dir.Path("f.txt"), limit); }),
                      TooLargeMessage(dir.Path("f.txt"), limit));
            EXPECT_THROW(ReadFileBytes(dir.Path("f.txt"), limit), TFileTooLargeError);
        } else {
            EXPECT_EQ(ReadFileBytes(dir.Path("f.txt"), limit), bytes);
        }
    }
    EXPECT_TRUE(TooLargeMessage("/a/b", MaxStoreFileBytes).endsWith("は大きすぎるため読み込めません (16 MB まで)"));
}
