#pragma once

#include "base/safewrite.h"

#include <QList>
#include <QMap>
#include <QString>
#include <memory>

class QSettings;

// One setting: section, key and the default used when the key is absent.
struct SettingKey {
    const char* section;
    const char* key;
    const char* fallback;
};

// Every key the program keeps, with its default. Program paths default to the
// platform's equivalents (see platformpaths.h); they are read with defaultPath().
namespace keys {
inline constexpr SettingKey Top{"AKTI", "TOP", ""};
inline constexpr SettingKey Left{"AKTI", "LEFT", ""};
inline constexpr SettingKey Sounds{"AKTI", "SND", "1"};
// The main window reads "0" when the key is absent, the settings window "1".
inline constexpr SettingKey Info{"AKTI", "INFO", "0"};
inline constexpr SettingKey InfoInSettingsWindow{"AKTI", "INFO", "1"};
inline constexpr SettingKey SaveConfirm{"AKTI", "VRM", "0"};
inline constexpr SettingKey WwwReader{"AKTI", "WWW", ""};
inline constexpr SettingKey Calendar{"AKTI", "Kalenteri", ""};
inline constexpr SettingKey Notepad{"AKTI", "Muistio", ""};
inline constexpr SettingKey Version{"AKTI", "Versio", "0"};
inline constexpr SettingKey Installed{"AKTI", "ASENNETTU", "0"};
inline constexpr SettingKey PrintTop{"PRINT", "YLA", "14.5"};
inline constexpr SettingKey PrintLeft{"PRINT", "VAA", "44"};
inline constexpr SettingKey PrintWidth{"PRINT", "LEV", "202"};
inline constexpr SettingKey PrintHeight{"PRINT", "PIT", "297"};
inline constexpr SettingKey LastRound{"OKT", "KRS", "0"};
inline constexpr SettingKey LastYear{"OKT", "VUOSI", "0"};
} // namespace keys

inline constexpr const char* kSettingsVersion = "1.0";
// Far more than every key with a long program path; a larger file is none of the program's.
inline constexpr qint64 kMaxSettingsFileBytes = qint64(1) << 20;

// The per-user settings store: strings by section and key under "Rivikone".
class Settings {
public:
    // With an empty path the user's own store is used; tests pass a file of their own.
    explicit Settings(const QString& iniPath = QString());
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    QString read(const QString& section, const QString& key, const QString& fallback) const;
    // A failed write keeps the file as it was; its message tells the user
    // the cause where it is known (write protection, a full disk, the file
    // held by another copy) and names the file.
    Outcome<> write(const QString& section, const QString& key, const QString& value);
    // How often this store has replaced its file: each replacement costs
    // several disk syncs, so one action should cost one.
    int fileReplacements() const { return fileReplacements_; }
    bool contains(const QString& section, const QString& key) const;

    QString read(const SettingKey& key) const;
    QString read(const SettingKey& key, const QString& fallback) const;
    Outcome<> write(const SettingKey& key, const QString& value);
    // The values one action changes, saved together: the file is replaced
    // once, and when that fails none of them is saved.
    struct Value {
        SettingKey key;
        QString value;
    };
    Outcome<> write(const QList<Value>& values);
    // The leading number of the stored text; text that is not a number reads as 0.
    double number(const SettingKey& key) const;

    QString fileName() const;

private:
    // Values by "SECTION/KEY", all in one replacement of the file.
    Outcome<> writeChanges(const QMap<QString, QString>& changes);

    QString iniPath_;
    std::unique_ptr<QSettings> store_;
    int fileReplacements_ = 0;
};
