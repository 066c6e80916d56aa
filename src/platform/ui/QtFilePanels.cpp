#include "platform/ui/QtFilePanels.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace {

QString nameFilter(const QStringList &types)
{
    if (types.isEmpty())
        return {};
    QStringList patterns;
    for (const QString &type : types)
        patterns << QStringLiteral("*.") + type;
    return patterns.join(QLatin1Char(' '));
}

QFileDialog *makeDialog(QObject *window, const QString &title, const QString &message, const QString &prompt,
                        const QString &directory)
{
    auto *dialog = new QFileDialog(qobject_cast<QWidget *>(window), title.isEmpty() ? message : title,
                                   directory.isEmpty() ? QDir::homePath() : directory);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    if (!prompt.isEmpty())
        dialog->setLabelText(QFileDialog::Accept, prompt);
    return dialog;
}

}  // namespace

void QtFilePanels::showOpenPanel(const OpenPanelOptions &options, QObject *window, OpenCompletion completion)
{
    QFileDialog *dialog = makeDialog(window, options.title, options.message, options.prompt, options.directory);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    if (options.canChooseDirectories && !options.canChooseFiles)
        dialog->setFileMode(QFileDialog::Directory);
    else
        dialog->setFileMode(options.allowsMultipleSelection ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    const QString filter = nameFilter(options.allowedTypes);
    if (!filter.isEmpty())
        dialog->setNameFilter(filter);
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion](int result) {
        if (completion)
            completion(result == QDialog::Accepted ? dialog->selectedFiles() : QStringList());
    });
    dialog->open();
}

void QtFilePanels::showSavePanel(const SavePanelOptions &options, QObject *window, SaveCompletion completion)
{
    QFileDialog *dialog = makeDialog(window, options.title, options.message, options.prompt, options.directory);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    if (!options.nameFieldValue.isEmpty())
        dialog->selectFile(options.nameFieldValue);
    const QString filter = nameFilter(options.allowedTypes);
    if (!filter.isEmpty()) {
        dialog->setNameFilter(filter);
        dialog->setDefaultSuffix(options.allowedTypes.first());
    }
    QObject::connect(dialog, &QFileDialog::finished, dialog, [dialog, completion](int result) {
        const QStringList files = dialog->selectedFiles();
        if (completion)
            completion(result == QDialog::Accepted && !files.isEmpty() ? files.first() : QString());
    });
    dialog->open();
}
