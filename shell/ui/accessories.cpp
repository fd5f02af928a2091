#include "shell/ui/accessories.h"

#include <QDir>
#include <QFile>

bool accessoryAvailable(const QString& key)
{
    Q_UNUSED(key);
    return false;
}

bool runAccessory(AppContext& context, const QString& key)
{
    Q_UNUSED(context);
    Q_UNUSED(key);
    return false;
}

void removeBookmarkFiles(const QString& programDir)
{
    static const QStringList names = {"puskuri.htm", "tausta.gif", "rivikone.gif", "boltsi.gif"};
    const QDir dir(programDir);
    for (const QString& entry : dir.entryList(QDir::Files))
        if (names.contains(entry.toLower()))
            QFile::remove(dir.filePath(entry));
}
