#include "base/filenames.h"
#include "base/rowfile.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

TEST(FileNames, ANameThatIsNoUtf8IsTheFileUsed)
{
    // Latin-1 "ä", a stray continuation byte and an overlong "/" are no UTF-8;
    // real "ä" and a letter beyond the basic plane are.
    const QByteArray raw("lat\xe4 \x80\xc0\xaf \xc3\xa4 \xf0\x9f\x98\x80.1X2");
    char program[] = "rivikone-batch";
    QByteArray argument = raw;
    char* argv[] = {program, argument.data()};
    const QStringList arguments = argumentsOf(2, argv);
    ASSERT_EQ(arguments.size(), 2);
    const QString name = arguments[1];
    EXPECT_TRUE(name.startsWith("lat") && name.contains(QString::fromUtf8("\xc3\xa4 \xf0\x9f\x98\x80.1X2")));
    EXPECT_EQ(nativeFileName(name), raw);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const RowBuffer rows = rowsOf({"1X21X21X21X21"});
    ASSERT_EQ(writeRowsFile(path, rows, 1), WriteStatus::Ok);
    const QByteArray nativePath = QFile::encodeName(dir.path()) + '/' + raw;
    EXPECT_EQ(::access(nativePath.constData(), F_OK), 0) << "the file has the very name given";
    EXPECT_TRUE(pathExists(path));
    EXPECT_EQ(writeRowsFile(path, rows, 1), WriteStatus::Exists);
    const RowFileReadResult read = readRowFile(path, RowReader::Checking);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.contents.rows, rows);
    // The toolkit's folders do not see such a name, so it is removed as it came.
    EXPECT_EQ(removeFile(path), WriteStatus::Ok);
    EXPECT_NE(::access(nativePath.constData(), F_OK), 0);
}
