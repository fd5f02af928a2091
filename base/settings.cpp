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

// QSettings writes its file buffered and renames it into place even when the
// disk refused the bytes, which tears the user's settings on a full disk. So
// it only lays the values out, in a scratch file; the bytes are read back and
// checked against every value before they reach the user's file through the
// safe-write path.
static Outcome<> layOut(const QMap<QString, QVariant>& values, QByteArray& bytes)
{
    const QTemporaryDir scratch(scratchFolderTemplate());
    if (!scratch.isValid())
        return fileFailure(Cause::Failed);
    const QString scratchFile = scratch.filePath(QStringLiteral("settings.ini"));
    {
        QSettings out(scratchFile, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            out.setValue(it.key(), it.value());
        out.sync();
        if (out.status() != QSettings::NoError)
            return fileFailure(Cause::Failed);
    }
    // Read back under a name QSettings has not seen: it answers a file it
    // wrote from memory, and would not notice a torn one.
    QFile laidOut(scratchFile);
    if (!laidOut.open(QIODevice::ReadOnly))
        return fileFailure(Cause::Failed);
    bytes = laidOut.readAll();
    const QString checkFile = scratch.filePath(QStringLiteral("check.ini"));
    Outcome<> copied = createNewFile(checkFile, bytes);
    if (!copied)
        return copied;
    const QSettings check(checkFile, QSettings::IniFormat);
    if (check.status() != QSettings::NoError || check.allKeys().size() != values.size())
        return fileFailure(Cause::Failed);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        if (check.value(it.key()).toString() != it.value().toString())
            return fileFailure(Cause::Failed);
    return {};
}

QString Settings::read(const QString& section, const QString& key, const QString& fallback) const
{
    const QVariant value = store_->value(path(section, key));
    return value.isValid() ? value.toString() : fallback;
}

Outcome<> Settings::write(const QString& section, const QString& key, const QString& value)
{
    return writeChanges({{path(section, key), value}});
}

Outcome<> Settings::write(const QList<Value>& values)
{
    QMap<QString, QString> changes;
    for (const Value& change : values)
        changes.insert(path(change.key.section, change.key.key), change.value);
    return writeChanges(changes);
}

Outcome<> Settings::writeChanges(const QMap<QString, QString>& changes)
{
    if (changes.isEmpty())
        return {};
    const QString target = store_->fileName();
    QDir().mkpath(QFileInfo(target).absolutePath());
    // The file is read afresh under its lock, so a value another copy of the
    // program saved meanwhile stays.
    const Outcome<> written = changeFile(target, kMaxSettingsFileBytes, [&](QByteArray& bytes, bool) {
        const std::unique_ptr<QSettings> current = openStore(iniPath_);
        QMap<QString, QVariant> values;
        for (const QString& name : current->allKeys())
            values.insert(name, current->value(name));
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            values.insert(it.key(), it.value());
        return layOut(values, bytes);
    });
    fileReplacements_ += written.ok();
    // Read afresh, so the store holds what the file holds whatever happened.
    store_ = openStore(iniPath_);
    if (written)
        return {};
    const QString cause = written.failure().messageOr(QString());
    return Failure{written.failure().cause, QStringLiteral("Asetuksia ei voitu tallentaa !") + kLineBreak +
                                                (cause.isEmpty() ? QString() : cause + kLineBreak) + fileName()};
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

Outcome<> Settings::write(const SettingKey& key, const QString& value)
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
