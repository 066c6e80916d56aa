#pragma once
// A pass appends about as much to its pieces of the page for each item it
// writes (a rule and a tag for each image, say). Left to double as they grow,
// page-sized pieces copy themselves again at every growth, and once they are
// larger than the processor's cache every copy reads them back from memory:
// the pass would take longer per item the larger the page. So as soon as the
// items written show how much each takes, each piece is given room for all
// the items still to come at once (a quarter more, for items a little longer;
// should the items grow longer still, the piece is measured and widened again,
// to at least twice its room).
#include <QString>
#include <QVarLengthArray>

#include <algorithm>
#include <initializer_list>

class PieceRoom {
public:
    PieceRoom(std::initializer_list<QString *> pieces, qsizetype items) : m_items(items)
    {
        for (QString *piece : pieces)
            m_pieces.append({piece, piece->size()});
    }
    PieceRoom(const PieceRoom &) = delete;
    PieceRoom &operator=(const PieceRoom &) = delete;

    // Before each item (whether or not it writes anything).
    void nextItem()
    {
        if (m_done > 0 && m_done < m_items) {
            const qsizetype left = m_items - m_done;
            for (const Piece &p : std::as_const(m_pieces)) {
                const qsizetype written = p.piece->size() - p.start;
                if (written == 0)
                    continue;
                const qsizetype perItem = written / m_done + 1;
                const qsizetype room = p.piece->capacity();
                if (room - p.piece->size() < left * perItem) {
                    // At least twice the room it had: items that keep growing
                    // longer widen it a few times, not once every few items.
                    p.piece->reserve(std::max(p.piece->size() + (left + left / 4 + 2) * perItem, 2 * room));
                }
            }
        }
        ++m_done;
    }

private:
    struct Piece {
        QString *piece;
        qsizetype start;
    };
    QVarLengthArray<Piece, 4> m_pieces;
    const qsizetype m_items;
    qsizetype m_done = 0;
};
