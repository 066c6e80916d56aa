#pragma once
// One thumbnail of the template chooser: the template's scaled picture on
// white, drawn with a 10-point "33A1C9" border while it is the selected one.
#include <QAbstractButton>
#include <QImage>

class TemplateIconButton : public QAbstractButton {
    Q_OBJECT
public:
    TemplateIconButton(QString fileName, QString categoryFolder, QImage image, QWidget *parent = nullptr);

    QString fileName() const { return m_fileName; }
    QString categoryFolder() const { return m_categoryFolder; }
    bool borderFlag() const { return m_borderFlag; }
    void setBorderFlag(bool flag);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_fileName;
    QString m_categoryFolder;
    QImage m_image;
    bool m_borderFlag = false;
};
