#include "window/ui/ProfilePopover.h"

#include "window/ProfileRecord.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

ProfilePopover::ProfilePopover(QWidget *parent) : QFrame(parent)
{
    setAutoFillBackground(true);
    setFrameShadow(QFrame::Raised);
    hide();
    qApp->installEventFilter(this);
    setObjectName(QStringLiteral("profilePopover"));
    setFrameShape(QFrame::StyledPanel);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    for (int i = 0; i < 3; ++i) {
        labels_[i] = new QLabel(this);
        labels_[i]->setAlignment(Qt::AlignCenter);
        labels_[i]->setFixedSize(184, 56);
        layout->addWidget(labels_[i]);
    }
    resize(200, 200);
}

QStringList ProfilePopover::summaryOf(const QMap<QString, QString> &profile, const QString &edition)
{
    if (edition == QLatin1String("Pellamy Vet Edition"))
        return {profile.value(QStringLiteral("Pet Name")), profile.value(QStringLiteral("Pet Breed")),
                profile.value(QStringLiteral("Pet Chart Number"))};
    return {profile.value(QStringLiteral("Owner First Name")), profile.value(QStringLiteral("Owner Last Name")),
            profile.value(QStringLiteral("Pet Chart Number"))};
}

void ProfilePopover::setLines(const QStringList &lines)
{
    for (int i = 0; i < 3; ++i)
        labels_[i]->setText(lines.value(i));
    adjustFontSize();
}

QStringList ProfilePopover::lines() const
{
    return {labels_[0]->text(), labels_[1]->text(), labels_[2]->text()};
}

void ProfilePopover::adjustFontSize()
{
    for (QLabel *label : labels_) {
        QFont font = label->font();
        font.setPointSize(ProfileRecord::calcFontSizeToFitRect(QRectF(QPointF(0, 0), QSizeF(label->size())),
                                                              label->text(), font.family()));
        label->setFont(font);
    }
}

void ProfilePopover::showAt(const QPoint &anchor)
{
    const QPoint at(anchor.x() - width(), anchor.y());
    move(parentWidget() ? parentWidget()->mapFromGlobal(at) : at);
    show();
    raise();
}

bool ProfilePopover::eventFilter(QObject *watched, QEvent *event)
{
    // A press anywhere outside closes the card; the press itself goes on to
    // whatever it was meant for (the filter never takes it).
    if (isVisible() && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::TouchBegin)) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget != this && !isAncestorOf(widget))
            hide();
    }
    return QFrame::eventFilter(watched, event);
}
