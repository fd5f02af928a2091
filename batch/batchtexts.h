#pragma once

#include <QString>

// Messages several commands give in the same words: a script that reads them
// finds one wording whatever the command.
namespace BatchTexts {

// An argument the command does not take.
inline QString extraArgument(const QString& argument)
{
    return "Ylimääräinen argumentti " + argument + " !";
}

// An option the command cannot do without.
inline QString missingOption(const QString& option)
{
    return QString::fromUtf8("Valitsin %1 puuttuu !").arg(option);
}

// A value of an option that does not do, and why.
inline QString badValue(const QString& option, const QString& why)
{
    return option + ": " + why;
}

// One of the shared file messages (base/texts.h) and the file it is about.
inline QString aboutFile(const char* text, const QString& file)
{
    return QString::fromUtf8(text) + ' ' + file;
}

} // namespace BatchTexts
