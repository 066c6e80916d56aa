#pragma once
// The add-page sheet: window-modal over the document window. It shows one
// set-up of AddNewPageSetup; Add runs the name checks first and closes only
// when the page may be made, so a refused name leaves the user's entries in
// place. The accepted request is handed to onConfirmed.
#include "window/AddNewPageSetup.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QComboBox;

class AddNewPageViewController : public QDialog {
    Q_OBJECT
public:
    AddNewPageViewController(const AddNewPageSheetState &state, QString projectFolder, QWidget *parent = nullptr);

    AddNewPageSheetState state() const;
    // The template chooser picked a template (from-template and base sheets):
    // confirms at once with it.
    void saveNewPageAndChooseTemplate(const QString &fileName, const QString &categoryFolder);
    // Add: check, then hand on and close; stays open on a refused name.
    void saveNewPage();

    std::function<void(const AddNewPageRequest &request)> onConfirmed;
    // The choose-template button asks the window to open the template chooser.
    std::function<void()> onChooseTemplate;

    QLineEdit *pageTitleTextField = nullptr;
    QLineEdit *pageFileNameTextField = nullptr;
    QCheckBox *mainLaunchpageCheckbox = nullptr;
    QCheckBox *baseTemplateCheckbox = nullptr;
    QCheckBox *applyBaseTemplateCheckbox = nullptr;
    QComboBox *fileNameGenerationSegmentedControl = nullptr;
    QPushButton *chooseTemplateButton = nullptr;
    QPushButton *addNewPageButton = nullptr;
    QPushButton *cancelButton = nullptr;

private:
    void syncFromForm();
    AddNewPageSheetState state_;
    QString folder_;
    bool syncing_ = false;
};
