#include "base/settings.h"

#include "base/safewrite.h"
#include "base/textformat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QTemporaryDir>

static std::unique_ptr<QSettings> openStore(const QString& iniPath)
{
    return iniPath.isEmpty()
               ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Rivikone", "Rivikone")
               : std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

Settings::Settings(const QString& iniPath) : iniPath_(iniPath), store_(openStore(iniPath)) {}

Settings::~Settings() = default;

static QString path(const QString& section, const QString& key)
{
    return section + '/' + key;
}

QString Settings::read(const QString& section, const QString& key, const QString& fallback) const
{
    const QVariant value = store_->value(path(section, key));
    return value.isValid() ? value.toString() : fallback;
}

bool Settings::write(const QString& section, const QString& key, const QString& value)
{
    // QSettings writes its file buffered and renames it into place even when the
    // disk refused the bytes, which tears the user's settings on a full disk. So
    // it only lays the values out, in a scratch file; the bytes are read back,
    // checked against every value, and reach the user's file through the
    // safe-write path.
    QMap<QString, QVariant> values;
    for (const QString& name : store_->allKeys())
        values.insert(name, store_->value(name));
    values.insert(path(section, key), value);

    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return false;
    const QString scratchFile = scratch.filePath(QStringLiteral("settings.ini"));
    {
        QSettings out(scratchFile, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            out.setValue(it.key(), it.value());
        out.sync();
        if (out.status() != QSettings::NoError)
            return false;
    }
    // Read back under a name QSettings has not seen: it answers a file it
    // wrote from memory, and would not notice a torn one.
    QFile laidOut(scratchFile);
    if (!laidOut.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = laidOut.readAll();
    const QString checkFile = scratch.filePath(QStringLiteral("check.ini"));
    if (createNewFile(checkFile, bytes) != WriteStatus::Ok)
        return false;
    const QSettings check(checkFile, QSettings::IniFormat);
    if (check.status() != QSettings::NoError || check.allKeys().size() != values.size())
        return false;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (check.value(it.key()).toString() != it.value().toString())
            return false;

    const QString target = store_->fileName();
    QDir().mkpath(QFileInfo(target).absolutePath());
    const bool written = replaceFile(target, bytes) == WriteStatus::Ok;
    // Read afresh, so the store holds what the file holds whatever happened.
    store_ = openStore(iniPath_);
    return written;
}

bool Settings::contains(const QString& section, const QString& key) const
{
    return store_->contains(path(section, key));
}

QString Settings::read(const SettingKey& key) const
{
    return read(key.section, key.key, key.fallback);
}

QString Settings::read(const SettingKey& key, const QString& fallback) const
{
    return read(key.section, key.key, fallback);
}

bool Settings::write(const SettingKey& key, const QString& value)
{
    return write(key.section, key.key, value);
}

double Settings::number(const SettingKey& key) const
{
    return leadingNumber(read(key));
}

QString Settings::fileName() const
{
    return store_->fileName();
}
