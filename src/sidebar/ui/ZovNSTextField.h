#pragma once
// A link field that takes a dropped page icon or file: the text becomes the
// page's published name (see LinkEditing::pageLinkForDrop).
#include "sidebar/LinkEditing.h"

#include <QLineEdit>

#include <functional>

class ZovNSTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit ZovNSTextField(QWidget *parent = nullptr);
    // The project's pages, asked at each drop (the window's page list).
    void setPagesProvider(std::function<QList<ProjectPage>()> provider) { m_pages = std::move(provider); }
    void takeDroppedText(const QString &text);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    std::function<QList<ProjectPage>()> m_pages;
};
