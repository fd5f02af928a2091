#pragma once

#include <QByteArray>
#include <QString>

// Whole files as bytes, for tests that check what the program wrote.
QByteArray readBytes(const QString& path);
// Writes `bytes` as the whole file; false when it cannot.
bool writeBytes(const QString& path, const QByteArray& bytes);
