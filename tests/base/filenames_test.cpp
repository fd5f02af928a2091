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
    // "ä" and a letter beyond the basic plane are.
    QByteArray raw("lat\xe4 \x80\xc0\xaf \xc3\xa4 \xf0\x9f\x98\x80.1X2");
    char* argv[] = {raw.data()};
    const QString name = argumentsOf(1, argv).value(0);
    EXPECT_TRUE(name.endsWith(QString::fromUtf8(" \xc3\xa4 \xf0\x9f\x98\x80.1X2")));
    EXPECT_EQ(nativeFileName(name), raw);

    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    ASSERT_TRUE(writeRowsFile(path, rowsOf({"1X21X21X21X21"}), 1).ok());
    EXPECT_EQ(::access((QFile::encodeName(dir.path()) + '/' + raw).constData(), F_OK), 0);
    EXPECT_TRUE(readRowFile(path, RowReader::Checking).ok());
    // The toolkit's folders do not see such a name: it goes as it came.
    EXPECT_TRUE(removeFile(path).ok());
}
