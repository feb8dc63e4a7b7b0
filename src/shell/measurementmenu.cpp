#include "shell/measurementmenu.h"

#include "ui/gridview.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace zz {

void AttachMeasurementActions(GridView *grid, PanelHost &host,
                              std::function<ListedMeasurement(int row)> recordOfRow)
{
    const auto act = [&host, recordOfRow](int row, bool remove) {
        if (row < 1)
            return;
        const ListedMeasurement listed = recordOfRow(row);
        if (listed.index < 0)
            return;
        if (remove)
            host.DeleteMeasurement(listed);
        else
            host.CorrectMeasurement(listed);
    };
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, grid, [grid, act](const QPoint &pos) {
        const QModelIndex at = grid->indexAt(pos);
        if (!at.isValid())
            return;
        const int row = at.row() + 1;
        grid->setCurrentCell(row, qMax(at.column(), 0));
        QMenu menu(grid);
        QAction *correct = menu.addAction(QStringLiteral("この測定を修正…"));
        correct->setObjectName(QStringLiteral("actMeasurementCorrect"));
        QAction *remove = menu.addAction(QStringLiteral("この測定を削除…"));
        remove->setObjectName(QStringLiteral("actMeasurementDelete"));
        QAction *chosen = menu.exec(grid->viewport()->mapToGlobal(pos));
        if (chosen)
            act(row, chosen == remove);
    });
    // F2 and Delete reach the list as keys it has no use for itself.
    class Keys : public QObject
    {
    public:
        Keys(GridView *grid, std::function<void(int, bool)> act)
            : QObject(grid), m_grid(grid), m_act(std::move(act))
        {}
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() != QEvent::KeyPress)
                return false;
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key != Qt::Key_F2 && key != Qt::Key_Delete)
                return false;
            m_act(m_grid->currentGridRow(), key == Qt::Key_Delete);
            return true;
        }

    private:
        GridView *m_grid;
        std::function<void(int, bool)> m_act;
    };
    grid->installEventFilter(new Keys(grid, act));
}

} // namespace zz
