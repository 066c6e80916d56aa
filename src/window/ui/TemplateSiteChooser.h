#pragma once
// The chooser of ready-made template sites: each site of the bundle with its
// page pictures, title and description. Clicking a site asks where the new
// project goes and opens the copy.
#include <QWidget>

class QScrollArea;

class TemplateSiteChooser : public QWidget {
    Q_OBJECT
public:
    explicit TemplateSiteChooser(QWidget *parent = nullptr);
    // Lists the bundle's sites again.
    void reload();
    int siteCount() const { return count_; }
    // Asks for the new project's folder, then copies the site at index and opens it.
    void launchSelectedTemplateWebsite(int index);

    // The one chooser of the program, made on first use.
    static TemplateSiteChooser *showShared();

private:
    QScrollArea *scroll_ = nullptr;
    QStringList folders_;
    int count_ = 0;
};
