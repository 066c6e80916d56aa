#pragma once
// The small pop-over beside the canvas that sums up the record a record page
// holds: three lines (the pet's or the owner's names and the chart number),
// each at the largest font size that fits its line. It floats over the window
// rather than grabbing the mouse: a click elsewhere closes it and still does
// what it was meant to do.
#include <QFrame>
#include <QMap>

class QLabel;

class ProfilePopover : public QFrame {
    Q_OBJECT
public:
    explicit ProfilePopover(QWidget *parent = nullptr);

    // The three values the edition shows of a record.
    static QStringList summaryOf(const QMap<QString, QString> &profile, const QString &edition);
    void setLines(const QStringList &lines);
    QStringList lines() const;
    QLabel *label(int i) const { return labels_[i]; }
    // Opens to the left of anchor (global coordinates).
    void showAt(const QPoint &anchor);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void adjustFontSize();
    QLabel *labels_[3] = {};
};
