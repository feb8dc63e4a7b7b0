#include "ui/gridview.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

using namespace zz;
using namespace Qt::StringLiterals;

namespace {

// A shown grid of `dataRows` rows whose cells read "r,c".
void Fill(GridView &view, int dataRows, int columns)
{
    GridModel *model = view.gridModel();
    model->setGridColumnCount(columns);
    model->setGridRowCount(dataRows + 1);
    for (int r = 1; r <= dataRows; ++r)
        for (int c = 0; c < columns; ++c)
            model->setText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
}

QModelIndex CellIndex(const GridView &view, int row, int column)
{
    return view.model()->index(row - 1, column);
}

} // namespace

class TestGridView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowCountOneThenMoreGivesEmptyUncolouredRows();
    void shrinkingKeepsTheRowsAbove();
    void endShownWholeAndWheelMovesWholeRows();
    void textsAreShownExactly_data();
    void textsAreShownExactly();
    void columnAndHeaderAlignments_data();
    void columnAndHeaderAlignments();
    void headerRowIsTheHorizontalHeader();
    void rowsFilledAtOnceOrOneByOne();
    void rowsMadeWhenShown();
    void clickMakesTheClickedCellCurrent_data();
    void clickMakesTheClickedCellCurrent();
    void doubleClickReportsTheCell();
    void currentCellOperations();
    void topRowPutsTheRowFirstInView_data();
    void topRowPutsTheRowFirstInView();
    void twipsConversion_data();
    void twipsConversion();
    void columnWidthsBeforeColumnsAndAcrossRefills();
    void fontSizeSetsRowHeight();
};

void TestGridView::rowCountOneThenMoreGivesEmptyUncolouredRows()
{
    GridView view;
    QAbstractItemModelTester tester(view.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    GridModel *model = view.gridModel();
    Fill(view, 3, 6);
    model->setBackground(2, 4, QColor(255, 192, 192));
    model->setBackground(4, 4, QColor(0, 0, 0)); // beyond the rows: ignored

    model->setGridRowCount(1);
    QCOMPARE(model->gridRowCount(), 1);
    QCOMPARE(model->rowCount(), 0);

    model->setGridRowCount(5);
    QCOMPARE(model->gridRowCount(), 5);
    QCOMPARE(model->rowCount(), 4);
    for (int r = 1; r <= 4; ++r) {
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(model->text(r, c), QString());
            QVERIFY(!model->background(r, c).isValid());
            QVERIFY(!model->data(model->index(r - 1, c), Qt::BackgroundRole).isValid());
        }
    }
}

void TestGridView::shrinkingKeepsTheRowsAbove()
{
    GridView view;
    QAbstractItemModelTester tester(view.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    GridModel *model = view.gridModel();
    Fill(view, 5, 3);
    model->setBackground(2, 1, QColor(192, 255, 192));
    model->setBackground(5, 1, QColor(255, 192, 192));
    model->setGridRowCount(3);
    QCOMPARE(model->text(2, 1), QStringLiteral("2,1"));
    QCOMPARE(model->background(2, 1), QColor(192, 255, 192));
    model->setGridRowCount(6);
    QCOMPARE(model->text(2, 2), QStringLiteral("2,2"));
    QCOMPARE(model->text(3, 0), QString());
    QVERIFY(!model->background(5, 1).isValid());
}

void TestGridView::textsAreShownExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("mass") << QStringLiteral("65.4Kg");
    QTest::newRow("negative") << QStringLiteral("-0.3Kg");
    QTest::newRow("blanks kept") << QStringLiteral(" 12.30 ");
    QTest::newRow("japanese") << QStringLiteral("朝食前");
}

void TestGridView::textsAreShownExactly()
{
    QFETCH(QString, text);
    GridView view;
    Fill(view, 2, 3);
    view.gridModel()->setText(2, 1, text);
    QCOMPARE(view.gridModel()->text(2, 1), text);
    QCOMPARE(view.model()->data(CellIndex(view, 2, 1), Qt::DisplayRole).toString(), text);
}

void TestGridView::columnAndHeaderAlignments_data()
{
    QTest::addColumn<int>("alignment");
    QTest::newRow("left-centre") << int(Qt::AlignLeft | Qt::AlignVCenter);
    QTest::newRow("centre-centre") << int(Qt::AlignCenter);
    QTest::newRow("right-centre") << int(Qt::AlignRight | Qt::AlignVCenter);
}

void TestGridView::columnAndHeaderAlignments()
{
    QFETCH(int, alignment);
    GridView view;
    Fill(view, 2, 4);
    GridModel *model = view.gridModel();
    model->setColumnAlignment(2, Qt::Alignment(alignment));
    model->setHeaderAlignment(Qt::Alignment(alignment));
    for (int r = 0; r < 2; ++r)
        QCOMPARE(model->data(model->index(r, 2), Qt::TextAlignmentRole).toInt(), alignment);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), alignment);
    // Other columns keep their own alignment.
    model->setColumnAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(model->data(model->index(0, 2), Qt::TextAlignmentRole).toInt(), alignment);
}

void TestGridView::headerRowIsTheHorizontalHeader()
{
    GridView view;
    GridModel *model = view.gridModel();
    model->setGridColumnCount(3);
    model->setHeaders({QStringLiteral("回"), QStringLiteral("行動"), QStringLiteral("体重")});
    QVERIFY(view.verticalHeader()->isHidden());
    QCOMPARE(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("行動"));
    QCOMPARE(model->text(0, 2), QStringLiteral("体重"));
    model->setText(0, 2, QStringLiteral("骨量"));
    QCOMPARE(model->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("骨量"));
    // Filling the data rows leaves the header alone.
    model->setGridRowCount(1);
    model->setRows({TableRow{{QStringLiteral("1")}, {}}});
    QCOMPARE(model->text(0, 0), QStringLiteral("回"));
    QCOMPARE(model->text(1, 0), QStringLiteral("1"));
}

void TestGridView::rowsFilledAtOnceOrOneByOne()
{
    GridView view;
    QAbstractItemModelTester tester(view.model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    GridModel *model = view.gridModel();
    model->setGridColumnCount(4);
    model->setRows({{{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                      QStringLiteral("beyond the columns")},
                     {{3, Colors::PaleRed}, {9, Colors::PaleBlue}}},
                    {{QStringLiteral("short")}, {}}});
    QCOMPARE(model->gridRowCount(), 3);
    QCOMPARE(model->text(1, 3), QStringLiteral("d"));
    QCOMPARE(model->background(1, 3), QColor(255, 192, 192));
    QVERIFY(!model->background(1, 2).isValid());
    QCOMPARE(model->text(2, 1), QString());
    QVERIFY(!model->background(2, 3).isValid());

    // Appended rows after a coloured one start uncoloured.
    model->appendRow({{QStringLiteral("3"), QStringLiteral("夜")}, {{2, Colors::PaleGreen}}});
    model->appendRow({{QStringLiteral("4")}, {}});
    QCOMPARE(model->gridRowCount(), 5);
    QCOMPARE(model->text(3, 1), QStringLiteral("夜"));
    QCOMPARE(model->data(model->index(2, 2), Qt::BackgroundRole).value<QColor>(), QColor(192, 255, 192));
    QVERIFY(!model->background(4, 2).isValid());

    // A later fill replaces everything, colours included.
    model->setRows({TableRow{{QStringLiteral("x")}, {}}});
    QCOMPARE(model->gridRowCount(), 2);
    QVERIFY(!model->background(1, 3).isValid());
}

// A list given as a source makes only the rows it shows; what is written
// over it stays, also when the list is later changed row by row.
void TestGridView::rowsMadeWhenShown()
{
    GridView view;
    view.resetColumns({u"a"_s, u"b"_s}, {600, 600}, 9);
    GridModel *model = view.gridModel();
    int made = 0;
    model->setRowSource({1000000,
                         [&made](int row) {
                             ++made;
                             TableRow r;
                             r.cells = {QString::number(row), row == 7 ? u"longest text"_s : u"x"_s};
                             if (row % 2)
                                 r.backgrounds.insert(1, Colors::PaleRed);
                             return r;
                         },
                         {7}});
    QCOMPARE(model->gridRowCount(), 1000001);
    QCOMPARE(made, 1); // the widest row, for the column widths
    QCOMPARE(model->text(1000000, 0), u"999999"_s);
    QCOMPARE(model->background(2, 1), QColor(255, 192, 192));
    QCOMPARE(model->background(3, 1), QColor());
    QCOMPARE(model->longestText(1), u"longest text"_s);
    view.resize(300, 200);
    view.show();
    view.showEnd();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY2(made < 2000, qPrintable(QString::number(made)));

    model->setText(5, 1, u"written over the source"_s);
    model->setBackground(6, 1, QColor(1, 2, 3));
    QCOMPARE(model->text(5, 1), u"written over the source"_s);
    QCOMPARE(model->longestText(1), u"written over the source"_s);
    QCOMPARE(model->background(6, 1), QColor(1, 2, 3));

    // Shrunk to ten rows, the rows are kept as given; one row more is added.
    model->setGridRowCount(11);
    model->appendRow({{u"new"_s, u"row"_s}, {}});
    QCOMPARE(model->gridRowCount(), 12);
    QCOMPARE(model->text(5, 1), u"written over the source"_s);
    QCOMPARE(model->background(6, 1), QColor(1, 2, 3));
    QCOMPARE(model->background(2, 1), QColor(255, 192, 192));
    QCOMPARE(model->text(10, 0), u"9"_s);
    QCOMPARE(model->text(11, 1), u"row"_s);
    model->setGridRowCount(1);
    QCOMPARE(model->text(1, 0), QString());
}

void TestGridView::clickMakesTheClickedCellCurrent_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("row 3, column 5") << 3 << 5;
    QTest::newRow("first cell") << 1 << 0;
    QTest::newRow("last cell") << 6 << 7;
}

void TestGridView::clickMakesTheClickedCellCurrent()
{
    QFETCH(int, row);
    QFETCH(int, column);
    GridView view;
    Fill(view, 6, 8);
    for (int c = 0; c < 8; ++c)
        view.setColumnWidthTwips(c, 600);
    view.resize(700, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.setCurrentCell(1, 1);

    QSignalSpy clicked(&view, &GridView::cellClicked);
    const QRect cell = view.visualRect(CellIndex(view, row, column));
    QVERIFY(cell.isValid());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());

    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.at(0).at(0).toInt(), row);
    QCOMPARE(clicked.at(0).at(1).toInt(), column);
    QCOMPARE(view.currentGridRow(), row);
    QCOMPARE(view.currentGridColumn(), column);
    QCOMPARE(view.currentText(), QStringLiteral("%1,%2").arg(row).arg(column));

    // A handler that moves to another column stays on the clicked row.
    view.setCurrentCell(view.currentGridRow(), 0);
    QCOMPARE(view.currentGridRow(), row);
    QCOMPARE(view.currentText(), QStringLiteral("%1,0").arg(row));
}

void TestGridView::doubleClickReportsTheCell()
{
    GridView view;
    Fill(view, 4, 3);
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy doubled(&view, &GridView::cellDoubleClicked);
    const QPoint at = view.visualRect(CellIndex(view, 2, 1)).center();
    // A real double click: press and release, then the double-click press.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(doubled.count(), 1);
    QCOMPARE(doubled.at(0).at(0).toInt(), 2);
    QCOMPARE(doubled.at(0).at(1).toInt(), 1);
    QCOMPARE(view.currentGridRow(), 2);
    QCOMPARE(view.currentGridColumn(), 1);
}

void TestGridView::currentCellOperations()
{
    GridView view;
    Fill(view, 3, 4);
    view.setCurrentCell(2, 3);
    view.setCurrentText(QStringLiteral("↑"));
    view.setCurrentBackground(QColor(255, 192, 192));
    QCOMPARE(view.gridModel()->text(2, 3), QStringLiteral("↑"));
    QCOMPARE(view.gridModel()->background(2, 3), QColor(255, 192, 192));
    // Only that cell is coloured.
    QVERIFY(!view.gridModel()->background(2, 2).isValid());
    QVERIFY(!view.gridModel()->background(3, 3).isValid());

    view.setCurrentCell(0, 1);
    QCOMPARE(view.currentGridRow(), 0);
    QCOMPARE(view.currentGridColumn(), 1);
    QCOMPARE(view.currentText(), QString());
    view.setCurrentText(QStringLiteral("行動"));
    QCOMPARE(view.gridModel()->text(0, 1), QStringLiteral("行動"));

    // Only the header left: the current cell is in the header row.
    view.setCurrentCell(3, 2);
    view.gridModel()->setGridRowCount(1);
    QCOMPARE(view.currentGridRow(), 0);
}

void TestGridView::topRowPutsTheRowFirstInView_data()
{
    QTest::addColumn<int>("dataRows");
    QTest::addColumn<int>("top");
    QTest::addColumn<bool>("shown");
    QTest::newRow("eleventh of eleven") << 11 << 11 << true;
    QTest::newRow("middle") << 40 << 17 << true;
    QTest::newRow("last of a long list") << 5000 << 5000 << true;
    QTest::newRow("first") << 30 << 1 << true;
    QTest::newRow("hidden grid, shown later") << 11 << 11 << false;
}

void TestGridView::topRowPutsTheRowFirstInView()
{
    QFETCH(int, dataRows);
    QFETCH(int, top);
    QFETCH(bool, shown);
    GridView view;
    view.resize(400, 10 * view.verticalHeader()->defaultSectionSize());
    if (shown) {
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    Fill(view, dataRows, 2);
    view.setTopRow(top);
    if (!shown) {
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }
    QCoreApplication::processEvents();
    QCOMPARE(view.topRow(), top);
    QCOMPARE(view.rowAt(1), top - 1);

    // Refilling starts again from the first row.
    view.gridModel()->setGridRowCount(1);
    Fill(view, dataRows, 2);
    QCoreApplication::processEvents();
    QCOMPARE(view.topRow(), 1);
}

void TestGridView::endShownWholeAndWheelMovesWholeRows()
{
    GridView view;
    // Ten and a half rows fit: the end shows ten whole rows, never half of one.
    view.resize(400, 10 * view.verticalHeader()->defaultSectionSize() +
                         view.verticalHeader()->defaultSectionSize() / 2 + view.horizontalHeader()->height() +
                         2 * view.frameWidth());
    Fill(view, 40, 2);
    view.showEnd();
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCoreApplication::processEvents();
    const auto topOf = [&](int gridRow) {
        return view.visualRect(view.gridModel()->index(gridRow - 1, 0)).top();
    };
    const QRect last = view.visualRect(view.gridModel()->index(39, 0));
    QVERIFY(last.bottom() < view.viewport()->height());
    QVERIFY(view.viewport()->height() - last.bottom() <= last.height());
    QCOMPARE(topOf(view.topRow()), 0);

    for (const int delta : {120, 120, -120, 240}) {
        QWheelEvent wheel(QPointF(50, 50), view.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &wheel);
        QCOMPARE(topOf(view.topRow()), 0);
    }
}

void TestGridView::twipsConversion_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixelsAt96");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("status column") << 2250 << 150;
    QTest::newRow("rounds up") << 865 << 58;
    QTest::newRow("rounds down") << 310 << 21;
    QTest::newRow("inch") << 1440 << 96;
}

void TestGridView::twipsConversion()
{
    QFETCH(int, twips);
    QFETCH(int, pixelsAt96);
    GridView view;
    view.gridModel()->setGridColumnCount(2);
    view.setColumnWidthTwips(1, twips);
    if (twips > 0)
        QCOMPARE(view.columnWidth(1), TwipsToPixels(twips, &view));
    if (view.logicalDpiX() != 96)
        QSKIP("screen is not at 96 dpi");
    QCOMPARE(TwipsToPixels(twips, &view), pixelsAt96);
}

void TestGridView::columnWidthsBeforeColumnsAndAcrossRefills()
{
    GridView view;
    GridModel *model = view.gridModel();
    // Widths may be given before the columns exist.
    view.setColumnWidthTwips(0, 450);
    view.setColumnWidthTwips(1, 2250);
    view.setColumnWidthTwips(2, 0); // a column that only carries data
    model->setGridColumnCount(3);
    model->setRows({TableRow{{QStringLiteral("1"), QStringLiteral("朝"), QStringLiteral("9")}, {}}});
    model->setGridRowCount(1);
    model->setGridRowCount(4);
    QCOMPARE(view.columnWidth(0), TwipsToPixels(450, &view));
    QCOMPARE(view.columnWidth(1), TwipsToPixels(2250, &view));
    QVERIFY(view.isColumnHidden(2));
    view.setColumnWidthTwips(2, 550);
    QVERIFY(!view.isColumnHidden(2));
}

void TestGridView::fontSizeSetsRowHeight()
{
    GridView view;
    Fill(view, 2, 2);
    view.setFontPointSize(9);
    QCOMPARE(view.font().pointSize(), 9);
    const int small = view.rowHeight(0);
    view.setFontPointSize(11);
    QCOMPARE(view.font().pointSize(), 11);
    QVERIFY(view.rowHeight(0) > small);
    QCOMPARE(view.horizontalHeader()->font().pointSize(), 11);
    QVERIFY(view.rowHeight(0) >= QFontMetrics(view.font()).height());
}

QTEST_MAIN(TestGridView)
#include "tst_gridview.moc"
