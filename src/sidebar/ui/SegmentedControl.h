#pragma once
// A row of exclusive, checkable segments: the settings forms' segmented
// controls. selectedSegment() is -1 before any choice.
#include <QStringList>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;

class SegmentedControl : public QWidget {
    Q_OBJECT
public:
    explicit SegmentedControl(const QStringList &labels, QWidget *parent = nullptr);

    int segmentCount() const;
    int selectedSegment() const;
    void setSelectedSegment(int segment);
    void setWidthForSegment(int width, int segment);
    QString labelForSegment(int segment) const;
    QAbstractButton *segment(int index) const;

signals:
    void segmentSelected(int segment);

private:
    QButtonGroup *m_group = nullptr;
};
