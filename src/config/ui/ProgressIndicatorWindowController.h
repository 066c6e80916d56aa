#pragma once
// The "Please wait" window: an ordinary, non-modal window with a spinner, a
// level bar of completed against total, a status line, a line naming the
// current step or file, and a second spinner for the sheet-composition form.
// It only shows a ProgressState; ProgressWindowPresenter drives it.
#include "config/ProgressModel.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class ProgressIndicatorWindowController : public QWidget {
    Q_OBJECT
public:
    explicit ProgressIndicatorWindowController(QWidget *parent = nullptr);

    void applyState(const ProgressState &state);

    QProgressBar *progressIndicator() const { return m_progressIndicator; }
    QProgressBar *levelIndicator() const { return m_levelIndicator; }
    QLabel *progressStatusTextfield() const { return m_progressStatusTextfield; }
    QLabel *progressFileTextField() const { return m_progressFileTextField; }
    QProgressBar *progressIndicator2() const { return m_progressIndicator2; }
    QPushButton *cancelButton() const { return m_cancelButton; }

    // The level bar works in whole steps; this many make a full bar.
    static constexpr int kLevelSteps = 1000;

private:
    QProgressBar *m_progressIndicator = nullptr;
    QProgressBar *m_levelIndicator = nullptr;
    QLabel *m_progressStatusTextfield = nullptr;
    QLabel *m_progressFileTextField = nullptr;
    QProgressBar *m_progressIndicator2 = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
