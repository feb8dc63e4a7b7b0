#pragma once

#include "base/cp932.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QTest>

// Small helpers shared by the store tests: files as raw bytes, texts as code
// page 932, and a snapshot of a whole directory to prove that nothing changed.
namespace storetest {

inline QByteArray cp932(const QString &text)
{
    QByteArray bytes;
    if (!zz::EncodeCp932(text, bytes))
        qFatal("test text not encodable");
    return bytes;
}

inline QByteArray cp932(const char *utf8)
{
    return cp932(QString::fromUtf8(utf8));
}

inline void writeBytes(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file");
}

inline QByteArray readBytes(const QString &dir, const QString &name)
{
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return file.readAll();
}

inline bool exists(const QString &dir, const QString &name)
{
    return QFile::exists(QDir(dir).filePath(name));
}

// Every file in `dir` with its bytes.
inline QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        files.insert(name, readBytes(dir, name));
    return files;
}

// A line of the measurement file as the tests write it by hand (UTF-8 in the
// source, code page 932 in the file), CR LF added.
inline QByteArray line(const char *utf8)
{
    return cp932(utf8) + "\r\n";
}

} // namespace storetest
