#pragma once

#include <QString>
#include <QtGlobal>

namespace zz {

// The outcome of a store operation. A failure names the file, the line (0 when
// the fault is not tied to one line) and the fault, in Japanese, so the window
// can show it as it stands.
struct StoreStatus
{
    bool ok = true;
    QString fileName;
    qint64 line = 0;
    QString fault;

    static StoreStatus success() { return {}; }
    static StoreStatus failure(const QString &fileName, const QString &fault, qint64 line = 0)
    {
        return StoreStatus{false, fileName, line, fault};
    }

    explicit operator bool() const { return ok; }

    // "データ.txt の 12 行目: 項目の数が 11 ではありません" and the like.
    QString userText() const;
};

} // namespace zz
