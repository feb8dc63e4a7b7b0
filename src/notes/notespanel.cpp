#include "notes/notespanel.h"

#include "app/eventhooks.h"
#include "store/smallfiles.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace zz {

NotesPanel::NotesPanel(PanelHost &host, QWidget *parent)
    : Panel(QStringLiteral("fraMemo"), host, parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *diaryLabel = new QLabel(QStringLiteral("一言入力欄 →"));
    diaryLabel->setObjectName(QStringLiteral("Label1(2)"));
    auto *memoLabel = new QLabel(QStringLiteral("気付きメモ"));
    memoLabel->setObjectName(QStringLiteral("Label1(3)"));
    txtKizuki = new QPlainTextEdit;
    txtKizuki->setObjectName(QStringLiteral("txtKizuki"));
    layout->addWidget(diaryLabel);
    layout->addWidget(memoLabel);
    layout->addWidget(txtKizuki, 1);
    for (QLabel *label : {diaryLabel, memoLabel})
        OnClick(label, [this] { emit label1Clicked(QStringLiteral("Label1")); });
}

void NotesPanel::LoadNoticeMemo()
{
    QString memo;
    host().ReportReadFailure(ReadNoticeMemo(dir(), memo));
    txtKizuki->setPlainText(memo);
}

} // namespace zz
