#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// File names as the operating system keeps them: bytes, which need not be
// UTF-8. A name that came from the command line is text here with every byte
// that is no UTF-8 kept as a lone surrogate U+DC80 … U+DCFF, and only the file
// layer turns it back into bytes, so the file named is the file used.

// The bytes of a name for the system calls.
QByteArray nativeFileName(const QString& name);
// A name the system handed over, kept whole.
QString fileNameFromNative(const QByteArray& bytes);
// The program's arguments decoded so, for the names among them.
QStringList argumentsOf(int argc, char** argv);

// `name` made absolute against the current folder and cleaned of "." and
// "..", as text alone: the toolkit's file-name classes would lose the bytes.
QString absoluteFileName(const QString& name);
// The folder an absolute name is in.
QString folderOf(const QString& absoluteName);
// `name` in `folder`.
QString fileNameIn(const QString& folder, const QString& name);

// Whether a name stands for anything at all (a dangling link does), and whether it is a folder.
bool pathExists(const QString& path);
bool isFolder(const QString& path);
