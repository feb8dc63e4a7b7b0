#pragma once

#include "store/measurementfile.h"
#include "store/settingsfiles.h"
#include "store/smallfiles.h"
#include "testrecord.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// A diary directory written through the store, with settings that keep the
// window quiet (help tour off) unless a test asks otherwise.
struct DiaryFixture
{
    QTemporaryDir temp;
    QString dir() const { return temp.path(); }

    void write(const QList<zz::MeasurementRecord> &records, const zz::PersonalData &personal,
               int helpTour = 0,
               const QStringList &statuses = {QStringLiteral("朝起きて"), QStringLiteral("夕食後")})
    {
        QVERIFY(temp.isValid());
        QVERIFY(zz::RewriteMeasurements(dir(), records).ok);
        QVERIFY(zz::WritePersonalData(dir(), personal).ok);
        QVERIFY(zz::WriteStatusListPlain(dir(), statuses).ok);
        QVERIFY(zz::WriteNoticeMemo(dir(), QString()).ok);
        QVERIFY(zz::WriteMarkerSetting(dir(), 0).ok);
        QVERIFY(zz::WriteHelpTourSetting(dir(), helpTour).ok);
        QVERIFY(zz::WriteIncrements(dir(), QStringLiteral("0.1"), QStringLiteral("0.1")).ok);
        QVERIFY(zz::WriteMovingAverageWidth(dir(), QStringLiteral("10")).ok);
        QVERIFY(zz::WriteAutoTime(dir(), 0).ok);
    }

    QByteArray bytes(const QString &name) const
    {
        QFile file(QDir(dir()).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

    void writeBytes(const QString &name, const QByteArray &bytes) const
    {
        QFile file(QDir(dir()).filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
};
