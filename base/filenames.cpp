#include "base/filenames.h"

#include <QDir>

#include <cstdint>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at `at`, or 0 when there is none.
int sequenceLength(const QByteArray& bytes, qsizetype at, char32_t& codePoint)
{
    const auto byte = [&](qsizetype i) { return std::uint8_t(bytes[i]); };
    const std::uint8_t lead = byte(at);
    int length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        codePoint = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        codePoint = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
        codePoint = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (byte(at + i) & 0x3F);
    }
    // Overlong forms, surrogates and what lies beyond Unicode are no UTF-8.
    if (codePoint < least || (codePoint >= 0xD800 && codePoint < 0xE000) || codePoint > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

QString fileNameFromNative(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t codePoint = 0;
        const int length = sequenceLength(bytes, at, codePoint);
        if (length == 0) {
            name += QChar(char16_t(kEscapeBase + std::uint8_t(bytes[at])));
            ++at;
            continue;
        }
        name += QString::fromUcs4(&codePoint, 1);
        at += length;
    }
    return name;
}

QByteArray nativeFileName(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    const auto endRun = [&](qsizetype end) {
        bytes += QStringView(name).mid(runStart, end - runStart).toUtf8();
        runStart = end + 1;
    };
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool escaped = c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF &&
                             (i == 0 || !QChar::isHighSurrogate(name[i - 1].unicode()));
        if (!escaped)
            continue;
        endRun(i);
        bytes += char(c - kEscapeBase);
    }
    endRun(name.size());
    return bytes;
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << fileNameFromNative(QByteArray(argv[i]));
    return arguments;
}

QString absoluteFileName(const QString& name)
{
    if (name.startsWith('/'))
        return QDir::cleanPath(name);
    QString current;
    if (char* here = ::getcwd(nullptr, 0)) {
        current = fileNameFromNative(here);
        std::free(here);
    }
    return QDir::cleanPath(current + '/' + name);
}

QString folderOf(const QString& absoluteName)
{
    const qsizetype slash = absoluteName.lastIndexOf('/');
    return slash <= 0 ? QStringLiteral("/") : absoluteName.left(slash);
}

QString fileNameIn(const QString& folder, const QString& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

bool pathExists(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && ::lstat(nativeFileName(path).constData(), &st) == 0;
}

bool isFolder(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(nativeFileName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode);
}
