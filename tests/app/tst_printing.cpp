// Both printouts through the real window, into PDF files whose text is read
// back with pdftotext.

#include "base/clock.h"
#include "controls.h"
#include "print/printout.h"
#include "ui/chartview.h"
#include "windowtest.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace zz;
using namespace Qt::StringLiterals;

class TestPrinting : public WindowTest
{
    Q_OBJECT

    QStringList pdfs()
    {
        return QDir(m_session->diary.dir()).entryList({u"*.pdf"_s}, QDir::Files, QDir::Name);
    }
    // How many pixels of the PDF's pictures have about this colour.
    int pixelsOfColour(const QString &pdf, const QColor &colour)
    {
        QTemporaryDir images;
        QProcess process;
        process.start(u"pdfimages"_s,
                      {u"-png"_s, QDir(m_session->diary.dir()).filePath(pdf), images.filePath(u"picture"_s)});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("pdfimages failed");
        int count = 0;
        for (const QString &file : QDir(images.path()).entryList({u"*.png"_s})) {
            const QImage image(images.filePath(file));
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    // Of a strong colour and about the hue (the picture is a JPEG).
                    const QColor c = image.pixelColor(x, y).toHsv();
                    const int hueApart = std::abs(c.hue() - colour.hue());
                    if (c.saturation() > 120 && c.value() > 80 && std::min(hueApart, 360 - hueApart) < 15)
                        ++count;
                }
            }
        }
        return count;
    }
    QString pdfText(const QString &name)
    {
        QProcess process;
        process.start(u"pdftotext"_s, {u"-layout"_s, QDir(m_session->diary.dir()).filePath(name), u"-"_s});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("pdftotext failed");
        return QString::fromUtf8(process.readAllStandardOutput());
    }

private Q_SLOTS:
    void init()
    {
        Clock::setFixed(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 5)));
        testing::SetPrintToPdfAlways(true);
        m_session = std::make_unique<WindowSession>();
        m_session->diary.write({TestRecord(u"2026/12/05"_s, u"朝起きて"_s, 65.0f, 24.5f),
                                TestRecord(u"2026/12/07"_s, u"朝起きて"_s, 64.6f, 24.1f),
                                TestRecord(u"2026/12/07"_s, u"夕食後"_s, 65.2f, 24.4f)},
                               PersonalData{u"花子"_s, 160.0f, 60.0f});
        m_session->start();
        QVERIFY(m_session->window);
    }
    void cleanup() { m_session.reset(); }

    void filteredPrintout()
    {
        click(u"cmdTaijyu"_s);
        click(u"cmdPriData"_s); // OK is the confirmation's default button
        QCOMPARE(m_session->boxes.boxes[0].title, u"印刷確認"_s);
        QCOMPARE(m_session->boxes.boxes[0].icon, QMessageBox::Question);
        QCOMPARE(m_session->boxes.boxes[0].text,
                 u"表示中のデータを印刷しますか？ \r\n\r\n良かったらＯＫボタンを押してください"_s);
        QCOMPARE(pdfs(), QStringList{u"印刷_20261207-093005.pdf"_s});
        QCOMPARE(m_session->boxes.titles().last(), u"印刷"_s);
        // The whole path, so that the user can find the file.
        QCOMPARE(m_session->boxes.boxes.last().text,
                 u"プリンターが見つからないため、印刷内容を PDF ファイル「"_s +
                     QDir(m_session->diary.dir()).filePath(u"印刷_20261207-093005.pdf"_s) +
                     u"」に保存しました。"_s);
        const QString text = pdfText(pdfs().first());
        for (const QString &expected : {u"体重"_s, u"ＢＭＩ"_s, u"肥満度"_s, u"体脂肪率"_s, QString(68, u'-'),
                                        u"65.2Kg"_s, u"25.5"_s, u"24.4%"_s})
            QVERIFY2(text.contains(expected), qPrintable(expected + u"\n"_s + text));
        // Date and status joined on one line (the full-width joiner reads back as blanks).
        for (const QString &row :
             {u"26/12/05\\s+朝起きて"_s, u"26/12/07\\s+朝起きて"_s, u"26/12/07\\s+夕食後"_s})
            QVERIFY2(text.contains(QRegularExpression(row)), qPrintable(row));

        // The composition list when it is on show; a second printout in the
        // same second gets its own name.
        click(u"cmdKotu"_s);
        click(u"cmdPriData"_s);
        QCOMPARE(pdfs().size(), 2);
        // The bone chart on screen is pictured, not the weight chart behind it.
        const QColor bone =
            Control<ChartView>(m_session->window.get(), u"mcrBunseki4"_s)->lineSeries(1)->color();
        const QColor weight =
            Control<ChartView>(m_session->window.get(), u"mcrBunseki"_s)->lineSeries(1)->color();
        QVERIFY(pixelsOfColour(u"印刷_20261207-093005(2).pdf"_s, bone) > 50);
        QCOMPARE(pixelsOfColour(u"印刷_20261207-093005(2).pdf"_s, weight), 0);
        QVERIFY(pixelsOfColour(u"印刷_20261207-093005.pdf"_s, weight) > 50);
        const QString composition = pdfText(u"印刷_20261207-093005(2).pdf"_s);
        for (const QString &expected :
             {u"基礎代謝"_s, u"筋肉レベル"_s, QString(101, u'-'), u"1350kcal"_s, u"2.8Kg"_s})
            QVERIFY2(composition.contains(expected), qPrintable(expected + u"\n"_s + composition));

        m_session->boxes.answer(QMessageBox::Cancel);
        click(u"cmdPriData"_s);
        QCOMPARE(pdfs().size(), 2);
    }

    // On a full disk the PDF is not reported as saved, and no piece of it stays.
    void fullDiskIsReported()
    {
        const QString temp = QDir(m_session->diary.dir()).filePath(u"印刷_20261207-093005.pdf.tmp"_s);
        QVERIFY(QFile::link(u"/dev/full"_s, temp));
        click(u"cmdAvgtai"_s);
        click(u"cmdAvgPri"_s);
        QCOMPARE(m_session->boxes.boxes.last().icon, QMessageBox::Critical);
        QVERIFY2(m_session->boxes.boxes.last().text.contains(u"を保存できませんでした"_s),
                 qPrintable(m_session->boxes.boxes.last().text));
        QVERIFY(pdfs().isEmpty());
        QVERIFY(!QFileInfo::exists(temp));
    }

    void dailyAveragePrintout()
    {
        click(u"cmdAvgtai"_s);
        click(u"cmdAvgPri"_s);
        QCOMPARE(pdfs().size(), 1);
        const QString text = pdfText(pdfs().first());
        for (const QString &expected : {u"日付け"_s, QString(19, u'-'), u"26/12/05"_s, u"65.0"_s,
                                        u"26/12/06"_s, u"26/12/07"_s, u"64.9"_s})
            QVERIFY2(text.contains(expected), qPrintable(expected + u"\n"_s + text));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
