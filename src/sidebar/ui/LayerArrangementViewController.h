#pragma once
// The layer index pop-over's content: a text box with the selected graphics'
// manual stacking number and a save button. Empty text clears the index; text
// that is not a whole number is refused with its reason, and nothing changes.
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class InspectorBindings;

class LayerArrangementViewController : public QWidget {
    Q_OBJECT
public:
    explicit LayerArrangementViewController(QWidget *parent = nullptr);
    QLineEdit *zindexTextbox() const { return m_text; }
    QPushButton *saveButton() const { return m_save; }
    QLabel *refusalLabel() const { return m_refusal; }
    // Saving gives the index to every selected graphic and, when accepted,
    // calls done (the canvas closes the pop-over).
    void attach(InspectorBindings &bindings, std::function<void()> done);
    void saveLayerIndex();

private:
    QLineEdit *m_text = nullptr;
    QPushButton *m_save = nullptr;
    QLabel *m_refusal = nullptr;
    InspectorBindings *m_bindings = nullptr;
    std::function<void()> m_done;
};
