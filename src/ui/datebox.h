#pragma once

#include <QAbstractItemModel>
#include <QComboBox>
#include <QListView>
#include <QStringList>

namespace zz {

// An editable box offering the dates of `dates` (one entry per day of a
// diary, thousands of them). Every entry has the width of one date, so the
// box is sized for one and its list lays out rows of one height, instead of
// measuring every entry.
inline void MakeDateBox(QComboBox *box, QAbstractItemModel *dates)
{
    box->setModel(dates);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setMinimumWidth(100);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(10);
    if (auto *list = qobject_cast<QListView *>(box->view()))
        list->setUniformItemSizes(true);
}

// The whole period in the two boxes of a period: the first and the last of `dates`.
inline void ShowWholePeriod(QComboBox *start, QComboBox *end, const QStringList &dates)
{
    start->setEditText(dates.value(0));
    end->setEditText(dates.isEmpty() ? QString() : dates.last());
}

} // namespace zz
