#include "base/settings.h"

#include "base/textformat.h"

#include <QSettings>

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
    // QSettings reports its first error for as long as it lives; a store
    // opened afresh lets this write tell its own outcome.
    if (store_->status() != QSettings::NoError)
        store_ = openStore(iniPath_);
    store_->setValue(path(section, key), value);
    store_->sync();
    return store_->status() == QSettings::NoError;
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
