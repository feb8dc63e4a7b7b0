#include "views/calendar/calendarpanel.h"

#include "base/clock.h"
#include "store/measurementfile.h"
#include "ui/bmibar.h"
#include "ui/colours.h"
#include "ui/gridview.h"
#include "ui/named.h"
#include "views/common/facedescriptions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zz {

using namespace Qt::StringLiterals;

namespace {

QLabel *Swatch(const Rgb &colour)
{
    auto *swatch = new QLabel;
    swatch->setFixedSize(18, 14);
    swatch->setStyleSheet(BackgroundStyle(colour, u"border: 1px solid #808080;"_s));
    return swatch;
}

} // namespace

CalendarPanel::CalendarPanel(PanelHost &host, QWidget *parent) : Panel(u"fraCale"_s, host, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *modes = new QHBoxLayout;
    const QString captions[] = {u"詳細表示"_s, u"簡易表示"_s};
    for (int i = 0; i < 2; ++i) {
        auto *button = new QPushButton(captions[i]);
        button->setObjectName(u"cmdSel1(%1)"_s.arg(i));
        connect(button, &QPushButton::clicked, this, [this, i] { cmdSel1_Click(i); });
        cmdSel1.append(button);
        modes->addWidget(button);
    }
    modes->addStretch();
    layout->addLayout(modes);

    msgList2 = new GridView;
    msgList2->setObjectName(u"msgList2"_s);
    connect(msgList2, &GridView::cellDoubleClicked, this,
            [this](int row, int column) { msgList2_DblClick(row, column); });
    layout->addWidget(msgList2, 1);

    // Counters, legend, the comparison and its face.
    auto *summary = new QHBoxLayout;
    auto *counters = new QGridLayout;
    counters->setHorizontalSpacing(8);
    const struct
    {
        const char16_t *name;
        Rgb colour;
        bool swatch;
    } rows[] = {{u"lblDn_c", Colors::PaleGreen, true},
                {u"lblSm_c", Colors::PaleYellow, true},
                {u"lblUp_c", Colors::PaleRed, true},
                {u"lblOne_c", Colors::PaleBlue, true},
                {u"lblNon_c", {255, 255, 255}, true}};
    QList<QLabel *> labels;
    for (int i = 0; i < 5; ++i) {
        auto *label = Named(new QLabel, QString::fromUtf16(rows[i].name));
        label->setMinimumWidth(150);
        counters->addWidget(Swatch(rows[i].colour), i % 3, (i / 3) * 2);
        counters->addWidget(label, i % 3, (i / 3) * 2 + 1);
        labels.append(label);
    }
    lblDn_c = labels[0];
    lblSm_c = labels[1];
    lblUp_c = labels[2];
    lblOne_c = labels[3];
    lblNon_c = labels[4];
    summary->addLayout(counters);
    summary->addSpacing(16);

    // The simple mode pairs the classes: good days green, bad days red.
    auto *legend = new QGridLayout;
    legend->addWidget(Swatch(Colors::PaleGreen), 0, 0);
    legend->addWidget(new QLabel(u"体重減 ／ 増減無し"_s), 0, 1);
    legend->addWidget(Swatch(Colors::PaleRed), 1, 0);
    legend->addWidget(new QLabel(u"体重増 ／ １回だけ"_s), 1, 1);
    summary->addLayout(legend);
    summary->addSpacing(24);

    auto value = [](const QString &name) {
        auto *label = Named(new QLabel, name);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(70);
        label->setFrameShape(QFrame::StyledPanel);
        label->setStyleSheet(FixedLightStyle(u"white"_s, u"font-size: 14pt; font-weight: bold;"_s));
        return label;
    };
    lblGenT = value(u"lblGenT"_s);
    lblHugou = value(u"lblHugou"_s);
    lblHugou->setMinimumWidth(40);
    lblZouT = value(u"lblZouT"_s);
    summary->addWidget(lblGenT);
    summary->addWidget(lblHugou);
    summary->addWidget(lblZouT);
    auto *faces = new QGridLayout;
    auto face = [&](const QString &name, const QString &resource) {
        auto *label = Named(new QLabel, name);
        label->setPixmap(QIcon(resource).pixmap(56, 56));
        label->setFixedSize(60, 60);
        label->setVisible(false);
        faces->addWidget(label, 0, 0);
        return label;
    };
    imgWara2 = face(u"imgWara2"_s, u":/face_wara.svg"_s);
    imgNiko2 = face(u"imgNiko2"_s, u":/face_niko.svg"_s);
    imgKana2 = face(u"imgKana2"_s, u":/face_kana.svg"_s);
    DescribeFaces(imgWara2, imgNiko2, imgKana2);
    summary->addLayout(faces);
    summary->addStretch();
    layout->addLayout(summary);
}

void CalendarPanel::PreparePanel()
{
    selectMode(CalendarMode::Detailed);
    SetupCalendarGrid();
    BuildCalendar();
}

void CalendarPanel::selectMode(CalendarMode mode)
{
    m_mode = mode;
    const int selected = mode == CalendarMode::Detailed ? 0 : 1;
    for (int i = 0; i < 2; ++i)
        cmdSel1[i]->setStyleSheet(i == selected ? FixedLightStyle(u"rgb(255, 224, 192)"_s) : QString());
}

void CalendarPanel::cmdSel1_Click(int index)
{
    host().HideAllPanels();
    selectMode(index == 0 ? CalendarMode::Detailed : CalendarMode::Simple);
    SetupCalendarGrid();
    BuildCalendar();
    setVisible(true);
}

void CalendarPanel::SetupCalendarGrid()
{
    msgList2->resetColumns(CalendarHeaders(), CalendarWidths(), 10);
    msgList2->gridModel()->setColumnAlignment(0, Qt::AlignCenter);
}

void CalendarPanel::BuildCalendar()
{
    QList<MeasurementRecord> records;
    const StoreStatus status = ReadMeasurements(dir(), records);
    if (!status) {
        host().ReportReadFailure(status);
        return;
    }
    const CalendarView view = ComputeCalendar(records, m_mode, state().dayList.startDate, Clock::today());
    msgList2->gridModel()->setRows(view.rows);
    lblDn_c->setText(view.lblDn_c);
    lblSm_c->setText(view.lblSm_c);
    lblUp_c->setText(view.lblUp_c);
    lblOne_c->setText(view.lblOne_c);
    lblNon_c->setText(view.lblNon_c);
    lblGenT->setText(view.lblGenT);
    lblZouT->setText(view.lblZouT);
    lblHugou->setText(view.lblHugou);
    imgWara2->setVisible(view.face == CalendarFace::Wara);
    imgNiko2->setVisible(view.face == CalendarFace::Niko);
    imgKana2->setVisible(view.face == CalendarFace::Kana);
}

void CalendarPanel::msgList2_DblClick(int row, int column)
{
    if (row < 1)
        return;
    msgList2->setCurrentCell(row, 0);
    const std::optional<QDate> date = CalendarCellDate(msgList2->gridModel()->text(row, 0), column);
    if (date)
        host().OpenDay(*date);
}

} // namespace zz
