#pragma once
// One category of the template chooser: a sub-folder of the edition's
// templates folder and the title of its button. The folder name "all"
// stands for every category.
#include <QString>

class TemplateCategory {
public:
    TemplateCategory() = default;
    TemplateCategory(QString folderName, QString description)
        : m_folderName(std::move(folderName)), m_description(std::move(description))
    {
    }

    QString categoryFolderName() const { return m_folderName; }
    void setCategoryFolderName(const QString &name) { m_folderName = name; }
    // Shown unchanged as the button title (most begin with two blanks).
    QString categoryDescription() const { return m_description; }
    void setCategoryDescription(const QString &description) { m_description = description; }

    bool operator==(const TemplateCategory &other) const = default;

private:
    QString m_folderName;
    QString m_description;
};
