#include "entry/entryarea.h"
#include "base/storeddate.h"

#include "base/clock.h"
#include "base/numbers.h"
#include "entry/entrylogic.h"
#include "shell/dialogs.h"
#include "shell/eventhooks.h"
#include "store/measurementfile.h"
#include "store/smallfiles.h"
#include "ui/colours.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace zz {

namespace {
struct BoxControls
{
    const char16_t *box;
    const char16_t *label;
    const char16_t *caption;
    const char16_t *suffix; // cmdDn<suffix>, cmdUp<suffix>
};
constexpr BoxControls kBoxes[] = {
    {u"txtTaiInp", u"lblTaijyu", u"体重", u""},  {u"txtShiInp", u"lblShibou", u"体脂", u"1"},
    {u"txtTaisya", u"lblTaisya", u"代謝", u"2"}, {u"txtNaizo", u"lblNaizo", u"内脂", u"3"},
    {u"txtKinr", u"lblKinr", u"筋量", u"4"},     {u"txtKins", u"lblKins", u"筋ス", u"5"},
    {u"txtKotu", u"Label1(9)", u"骨量", u"6"},
};
// Fixed steps of the boxes after weight and fat.
constexpr double kFixedSteps[] = {0, 0, 1, 1, 0.1, 1, 0.1};
} // namespace

EntryArea::EntryArea(PanelHost &host, QWidget *parent) : QWidget(parent), m_host(host)
{
    setMaximumWidth(560);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    // Status choice and the calendar.
    auto *left = new QVBoxLayout;
    auto *statusHeading = new QLabel(QStringLiteral("状況選択"));
    statusHeading->setObjectName(QStringLiteral("Label1(0)"));
    statusHeading->setStyleSheet(QStringLiteral("font-weight: bold;"));
    OnClick(statusHeading, [this] { emit headingClicked(QStringLiteral("Label1")); });
    left->addWidget(statusHeading);
    lstAct = new QListView;
    lstAct->setObjectName(QStringLiteral("lstAct"));
    lstAct->setModel(m_host.statusListModel());
    lstAct->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(lstAct, &QListView::clicked, this, [this] { lstAct_Click(); });
    left->addWidget(lstAct, 1);
    auto *statusButtons = new QHBoxLayout;
    cmdFree = new QPushButton(QStringLiteral("フリー入力"));
    cmdFree->setObjectName(QStringLiteral("cmdFree"));
    cmdFree->setToolTip(QStringLiteral("状況選択リスト外の内容を入力"));
    connect(cmdFree, &QPushButton::clicked, this, [this] { cmdFree_Click(); });
    cmdJikan = new QPushButton(QStringLiteral("時間"));
    cmdJikan->setObjectName(QStringLiteral("cmdJikan"));
    cmdJikan->setToolTip(QStringLiteral("状況をその時の時間で保存"));
    connect(cmdJikan, &QPushButton::clicked, this, [this] { cmdJikan_Click(); });
    statusButtons->addWidget(cmdFree);
    statusButtons->addWidget(cmdJikan);
    left->addLayout(statusButtons);

    mtvmain = new QCalendarWidget;
    mtvmain->setObjectName(QStringLiteral("mtvmain"));
    mtvmain->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    mtvmain->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    mtvmain->setGridVisible(true);
    mtvmain->setFixedSize(mtvmain->sizeHint().expandedTo(QSize(270, 200)));
    connect(mtvmain, &QCalendarWidget::clicked, this, [this] { mtvmain_DateClick(); });
    connect(mtvmain, &QCalendarWidget::activated, this, [this] { mtvmain_DateClick(); });
    connect(mtvmain, &QCalendarWidget::currentPageChanged, this, [this] { markPage(); });
    left->addWidget(mtvmain);
    layout->addLayout(left);

    // The seven boxes with their headings and step buttons.
    QList<QWidget *> headings;
    auto *boxes = new QGridLayout;
    boxes->setVerticalSpacing(6);
    for (int i = 0; i < 7; ++i) {
        const BoxControls &controls = kBoxes[i];
        auto *heading = new QLabel(QString::fromUtf16(controls.caption));
        heading->setObjectName(QString::fromUtf16(controls.label));
        heading->setToolTip(QStringLiteral("クリックすると表示データを切り替えます"));
        heading->setStyleSheet(HeadingStyle(QStringLiteral("text-decoration: underline;")));
        const QString labelName = QString::fromUtf16(controls.label);
        OnClick(heading, [this, labelName] {
            emit headingClicked(labelName.startsWith(u"Label1") ? QStringLiteral("Label1") : labelName);
        });
        auto *down = new QPushButton(QStringLiteral("↓"));
        down->setObjectName(QStringLiteral("cmdDn") + QString::fromUtf16(controls.suffix));
        auto *up = new QPushButton(QStringLiteral("↑"));
        up->setObjectName(QStringLiteral("cmdUp") + QString::fromUtf16(controls.suffix));
        const QString caption = QString::fromUtf16(controls.caption);
        down->setAccessibleName(caption + QStringLiteral("を下げる"));
        up->setAccessibleName(caption + QStringLiteral("を上げる"));
        for (QPushButton *button : {down, up}) {
            button->setFixedSize(30, 28);
            // After the boxes in the Tab order; a click leaves the focus in its box.
            button->setFocusPolicy(Qt::TabFocus);
            button->setAccessibleDescription(QStringLiteral("刻みの分だけ値を変えます"));
        }
        auto *box = new QLineEdit;
        box->setObjectName(QString::fromUtf16(controls.box));
        box->setFixedWidth(84);
        box->setAlignment(Qt::AlignRight);
        QFont big = box->font();
        big.setPointSize(12);
        box->setFont(big);
        connect(down, &QPushButton::clicked, this, [this, i] { step(i, -1); });
        connect(up, &QPushButton::clicked, this, [this, i] { step(i, +1); });
        OnEnter(box, [this, i] { entryKeyEnter(i); });
        OnFocusIn(box, [box](Qt::FocusReason reason) {
            // A click would place the cursor after the focus arrives; select
            // once the click is done so typing replaces the whole value.
            if (reason == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, [box] { box->selectAll(); });
            else
                box->selectAll();
        });
        boxes->addWidget(heading, i, 0);
        headings.append(heading);
        boxes->addWidget(down, i, 1);
        boxes->addWidget(box, i, 2);
        boxes->addWidget(up, i, 3);
        m_boxes.append(box);
        m_downs.append(down);
        m_ups.append(up);
    }
    cmdTaiHozon = new QPushButton;
    cmdTaiHozon->setObjectName(QStringLiteral("cmdTaiHozon"));
    cmdTaiHozon->setIcon(QIcon(QStringLiteral(":/floppy.svg")));
    cmdTaiHozon->setIconSize(QSize(40, 40));
    cmdTaiHozon->setFixedSize(64, 56);
    cmdTaiHozon->setToolTip(QStringLiteral("保存"));
    cmdTaiHozon->setAccessibleName(QStringLiteral("保存"));
    cmdTaiHozon->setAccessibleDescription(QStringLiteral("この測定を日記に保存します"));
    // Enter on the focused save button presses it.
    cmdTaiHozon->setAutoDefault(true);
    connect(cmdTaiHozon, &QPushButton::clicked, this, [this] { cmdTaiHozon_Click(); });
    boxes->addWidget(cmdTaiHozon, 7, 2, 1, 2, Qt::AlignRight);
    boxes->setRowStretch(8, 1);
    layout->addLayout(boxes);

    // Tab walks the boxes in their order, then to the save button.
    for (int i = 0; i + 1 < m_boxes.size(); ++i)
        setTabOrder(m_boxes[i], m_boxes[i + 1]);
    setTabOrder(m_boxes.last(), cmdTaiHozon);
    QWidget *previous = cmdTaiHozon;
    for (int i = 0; i < m_boxes.size(); ++i) {
        setTabOrder(previous, m_downs[i]);
        setTabOrder(m_downs[i], m_ups[i]);
        previous = m_ups[i];
    }
    // Then the headings, which switch the charts.
    for (QWidget *heading : std::as_const(headings)) {
        setTabOrder(previous, heading);
        previous = heading;
    }
    setTabOrder(statusHeading, lstAct);
}

QDate EntryArea::selectedDate() const
{
    return mtvmain->selectedDate();
}

void EntryArea::setSelectedDate(const QDate &date)
{
    mtvmain->setSelectedDate(date);
}

void EntryArea::MarkMeasuredDays(const QList<qint64> &days)
{
    m_measuredDays = days;
    markPage();
}

void EntryArea::markPage()
{
    // Only the page on show is marked: a diary of years holds thousands of days.
    for (const QDate &day : std::as_const(m_markedDays))
        mtvmain->setDateTextFormat(day, QTextCharFormat());
    m_markedDays.clear();
    const QDate first(mtvmain->yearShown(), mtvmain->monthShown(), 1);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontUnderline(true);
    for (QDate day = first.addDays(-7); day < first.addDays(45); day = day.addDays(1)) {
        if (std::binary_search(m_measuredDays.cbegin(), m_measuredDays.cend(), day.toJulianDay())) {
            mtvmain->setDateTextFormat(day, bold);
            m_markedDays.append(day);
        }
    }
}

void EntryArea::mtvmain_DateClick()
{
    m_host.RefreshDayList();
    lstAct->setFocus();
}

void EntryArea::ClearBoxes()
{
    for (QLineEdit *box : std::as_const(m_boxes))
        box->clear();
}

void EntryArea::entryKeyEnter(int box)
{
    if (m_boxes[box]->text().isEmpty())
        return;
    if (box + 1 < m_boxes.size())
        m_boxes[box + 1]->setFocus(Qt::TabFocusReason);
    else
        cmdTaiHozon->setFocus(Qt::TabFocusReason);
}

void EntryArea::step(int box, int direction)
{
    const WindowState &state = m_host.state();
    QLineEdit *edit = m_boxes[box];
    if (box == 0 || box == 1) {
        const QString &increment = box == 0 ? state.increments.weight : state.increments.fat;
        const std::optional<QString> stepped = StepByIncrement(edit->text(), increment, direction);
        if (!stepped) {
            Dialogs::Exclamation(
                this, QStringLiteral("刻み設定エラー"),
                QStringLiteral("刻みの設定が数値ではありません。編集画面で設定し直してください。"));
            return;
        }
        edit->setText(*stepped);
        return;
    }
    edit->setText(StepFixed(edit->text(), kFixedSteps[box], direction));
}

void EntryArea::FillEntryFields()
{
    const WindowState &state = m_host.state();
    const MeasurementRecord &ref = state.dayList.referenceMeasurement;
    const QString texts[] = {
        NumberText(ref.weight),           NumberText(ref.bodyFat),    NumberText(int(ref.basalMetabolism)),
        NumberText(int(ref.visceralFat)), NumberText(ref.muscleMass), NumberText(int(ref.muscleScore)),
        NumberText(ref.boneMass)};
    for (int i = 0; i < 7; ++i) {
        m_boxes[i]->setText(texts[i]);
        m_downs[i]->setEnabled(true);
        m_ups[i]->setEnabled(true);
    }
}

void EntryArea::DisableStepButtons()
{
    for (int i = 0; i < 7; ++i) {
        m_downs[i]->setEnabled(false);
        m_ups[i]->setEnabled(false);
    }
}

bool EntryArea::refuseUnstorableStatus(const QString &status)
{
    const std::optional<SaveMessage> refusal = UnstorableStatusMessage(status);
    if (!refusal)
        return false;
    Dialogs::ShowRefusal(this, *refusal);
    return true;
}

void EntryArea::lstAct_Click()
{
    const QModelIndex current = lstAct->currentIndex();
    if (!current.isValid())
        return;
    const QString status = current.data().toString();
    if (refuseUnstorableStatus(status))
        return;
    m_host.setCurrentStatus(status);
    FillEntryFields();
    m_boxes[0]->setFocus(Qt::OtherFocusReason);
}

void EntryArea::cmdFree_Click()
{
    const QString answer =
        Dialogs::Input(this, QStringLiteral("状況フリー入力"),
                       QStringLiteral("状況リストに無い内容をフリーで入力できます。\n\n"
                                      "任意の言葉で内容を書き込んでください。\n\n"
                                      "体重は通常と同じように ↓↑ボタンで指定してください。\n"));
    if (answer.isEmpty())
        return;
    if (refuseUnstorableStatus(answer))
        return;
    m_host.setCurrentStatus(answer);
    FillEntryFields();
    if (!Dialogs::AskYesNo(this, QStringLiteral("状況リスト登録の有無"),
                           QStringLiteral("状況リストに追加しますか？\n\n"), QMessageBox::Question,
                           QMessageBox::Yes))
        return;
    const StoreStatus status = AppendStatusQuoted(m_host.diaryDirectory(), answer);
    if (!status) {
        m_host.ReportStoreFailure(status);
        return;
    }
    m_host.AddStatusToLists(answer);
}

void EntryArea::cmdJikan_Click()
{
    m_host.setCurrentStatus(Clock::FormatTimeOfDay(Clock::timeOfDay()));
    FillEntryFields();
}

void EntryArea::cmdTaiHozon_Click()
{
    const WindowState &state = m_host.state();
    SaveInputs inputs;
    inputs.sampleMode = state.sampleMode;
    inputs.currentStatus = state.currentStatus;
    inputs.weightText = m_boxes[0]->text();
    inputs.fatText = m_boxes[1]->text();
    inputs.metabolismText = m_boxes[2]->text();
    inputs.visceralText = m_boxes[3]->text();
    inputs.muscleText = m_boxes[4]->text();
    inputs.scoreText = m_boxes[5]->text();
    inputs.boneText = m_boxes[6]->text();
    inputs.referenceWeight = state.dayList.referenceMeasurement.weight;
    inputs.referenceFat = state.dayList.referenceMeasurement.bodyFat;

    for (const SaveMessage &message : SaveChecks(inputs)) {
        if (message.kind == SaveMessage::Kind::Refusal) {
            Dialogs::Exclamation(this, message.title, message.text);
            return;
        }
        if (!Dialogs::AskYesNo(this, message.title, message.text, QMessageBox::Warning, QMessageBox::No))
            return;
    }

    const QString date = StoredDateText(mtvmain->selectedDate());
    MeasurementRecord record = RecordFromEntry(inputs, date);
    StoreStatus status;
    QList<LineSplice> done;
    if (SaveTakesInsertPath(state.dayList.lastRecord.date, date)) {
        // A measurement for an earlier day never carries a clock time.
        status = InsertMeasurementByDate(m_host.diaryDirectory(), record, &done);
    } else {
        if (state.autoTimeOn)
            record.comment = Clock::FormatTimeOfDay(Clock::timeOfDay());
        status = AppendMeasurement(m_host.diaryDirectory(), record, &done);
    }
    if (!status) {
        // The boxes keep what was typed; the list stays as it was.
        Dialogs::Critical(this, QStringLiteral("保存エラー"), status.userText());
        return;
    }
    m_host.RecordStep({StepDescription(record, QStringLiteral("登録")), done, false, {}, {}});
    m_host.RefreshDayList();
    DisableStepButtons();
}

} // namespace zz
