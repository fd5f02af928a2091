#pragma once

#include "base/safewrite.h"

#include <QList>
#include <QString>

// Files the program carries inside itself and writes into its directory when
// another program has to open them: the bookmarks page with its pictures for
// the WWW reader, and the user guide for the help viewer.

struct CarriedFile {
    const char* resource; // ":/RK_HTM/20"
    const char* fileName; // the name the file gets in the program directory
};

// The bookmarks page first, then its three pictures, under the names the page uses.
const QList<CarriedFile>& bookmarkFiles();
// The user guide.
CarriedFile helpFile();

// `fileName` in `programDir` with exactly one separator between them, also when
// the directory is the root of a drive ("/", "C:\").
QString programFilePath(const QString& programDir, const QString& fileName);

QString bookmarkPagePath(const QString& programDir);
QString helpFilePath(const QString& programDir);

// Writes a carried file byte for byte into the program directory, replacing an
// earlier copy (also one whose name differs only in case). A copy that cannot
// be replaced stays as it was.
Outcome<> writeCarriedFile(const QString& programDir, const CarriedFile& file);
// Writes the page and its pictures; stops at the first that fails.
Outcome<> writeBookmarkFiles(const QString& programDir);

// Deletes the bookmark files from the program directory, whatever the case of
// their names; other files stay.
void deleteBookmarkFiles(const QString& programDir);
