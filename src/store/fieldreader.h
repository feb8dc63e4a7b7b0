#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace zz {

// Splits one line of the comma-separated convention into its fields, on the
// raw code page 932 bytes: a trail byte of a double-byte character is never
// ',' '"' CR or LF, so no decoding is needed to find the field borders.
//
// Blanks before a field are skipped. A quoted field runs to the next '"' (there
// is no escape) and may hold commas; only blanks may follow it before the comma
// or the line end. An unquoted field runs to the next comma, trailing blanks
// dropped. "a," holds two fields, the second empty; a blank line holds none.
class FieldReader
{
public:
    explicit FieldReader(QByteArrayView line) : m_line(line)
    {
        skipBlanks();
        m_done = m_pos >= m_line.size();
    }

    // The next field's content (without quotes). False at the end of the line
    // or on a malformed field (fault() then says why). Inlined: it runs eleven
    // times per record of the measurement file.
    Q_ALWAYS_INLINE bool next(QByteArrayView &field)
    {
        if (m_done || !m_fault.isEmpty())
            return false;
        skipBlanks();
        m_rawStart = m_pos;
        if (m_pos < m_line.size() && m_line[m_pos] == '"') {
            const qsizetype open = m_pos + 1;
            qsizetype close = open;
            while (close < m_line.size() && m_line[close] != '"')
                ++close;
            if (close >= m_line.size()) {
                m_fault = QStringLiteral("引用符 \" が閉じていません");
                return false;
            }
            field = m_line.sliced(open, close - open);
            m_pos = close + 1;
            m_rawEnd = m_pos;
            skipBlanks();
            if (m_pos < m_line.size() && m_line[m_pos] != ',') {
                m_fault = QStringLiteral("引用符で囲まれた項目の後に余分な文字があります");
                return false;
            }
        } else {
            qsizetype end = m_pos;
            while (end < m_line.size() && m_line[end] != ',')
                ++end;
            qsizetype last = end;
            while (last > m_pos && isBlank(m_line[last - 1]))
                --last;
            field = m_line.sliced(m_pos, last - m_pos);
            m_pos = end;
            m_rawEnd = last;
        }
        if (m_pos < m_line.size())
            ++m_pos; // the comma; a field follows it, even an empty one at the line end
        else
            m_done = true;
        return true;
    }

    const QString &fault() const { return m_fault; }
    // Where the field last read stands in the line, quotes included.
    qsizetype rawStart() const { return m_rawStart; }
    qsizetype rawEnd() const { return m_rawEnd; }

private:
    // A CR before the line end (a line ending in CR CR LF) counts as a blank.
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

    void skipBlanks()
    {
        while (m_pos < m_line.size() && isBlank(m_line[m_pos]))
            ++m_pos;
    }

    QByteArrayView m_line;
    qsizetype m_pos = 0;
    qsizetype m_rawStart = 0;
    qsizetype m_rawEnd = 0;
    bool m_done = false;
    QString m_fault;
};

} // namespace zz
