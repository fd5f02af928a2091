#include "base/startoptions.h"

#include "base/filenames.h"
#include "base/texts.h"

#include <QCommandLineParser>
#include <QUrl>

namespace {

// The options the toolkit reads from a window program's command line itself;
// they are no mistake of the user's.
const char* const kToolkitValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "style",    "stylesheet",         "session",       "display", "geometry",        "title",       "name"};
const char* const kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

QString typedOption(const QString& parserMessage)
{
    const qsizetype first = parserMessage.indexOf('\'');
    const qsizetype last = parserMessage.lastIndexOf('\'');
    return first >= 0 && last > first ? parserMessage.mid(first + 1, last - first - 1) : QString();
}

} // namespace

StartOptions parseStartOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    // "-platform offscreen" is one option, as the toolkit reads it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"h", "help"});
    const QCommandLineOption version(QStringList{"v", "version"});
    const QCommandLineOption dir("dir", QString(), QStringLiteral("KANSIO"));
    parser.addOptions({help, version, dir});
    for (const char* name : kToolkitValueOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name), QString(), QStringLiteral("ARVO")));
    for (const char* name : kToolkitFlags)
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));

    StartOptions options;
    const bool parsed = parser.parse(arguments.isEmpty() ? QStringList{QStringLiteral("rivikone")} : arguments);
    if (parser.isSet(help)) {
        options.action = StartOptions::Action::Help;
        return options;
    }
    if (parser.isSet(version)) {
        options.action = StartOptions::Action::Version;
        return options;
    }
    if (!parsed) {
        options.action = StartOptions::Action::Refuse;
        const QStringList unknown = parser.unknownOptionNames();
        options.error =
            unknown.isEmpty()
                ? QString::fromUtf8(Texts::OptionLacksValue).arg(typedOption(parser.errorText()))
                : QString::fromUtf8(Texts::UnknownOption)
                      .arg(QString(unknown.first().size() == 1 ? "-" : "--") + unknown.first());
        return options;
    }
    options.programDir = parser.values(dir).value(parser.values(dir).size() - 1);
    for (const QString& given : parser.positionalArguments()) {
        if (given.isEmpty())
            continue;
        // A desktop may hand over a location as a file URL.
        const QUrl url(given);
        options.file = absoluteFileName(url.isLocalFile() ? url.toLocalFile() : given);
        break;
    }
    return options;
}

QString programVersion()
{
    return QStringLiteral(PROJECT_VERSION);
}

QString programVersionLine()
{
    return "Rivikone " + programVersion();
}

QStringList startHelpLines()
{
    return QString::fromUtf8(R"(Käyttö: rivikone [--dir KANSIO] [--] [TIEDOSTO]
       rivikone --help | --version

Tee, tarkasta ja tulosta 13 kohteen jalkapallorivejä. TIEDOSTO, rivitiedosto
(*.1X2) tai oma systeemi (*.STM), avautuu listausikkunaan; kun Rivikone on jo
käynnissä, tiedosto avautuu siinä.

  --dir KANSIO   ohjelmakansio: tilastot, tietokannat ja tallennetut haravat;
                 luodaan tarvittaessa (oletus RIVIKONE_DIR tai
                 ~/.local/share/Rivikone)
  --             valitsimet päättyvät; seuraava argumentti on tiedosto
  -h, --help     tämä ohje
  -v, --version  ohjelman versio

Paluuarvo: 0 onnistui, 2 komentorivi on väärin.)")
        .split('\n');
}
