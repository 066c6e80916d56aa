#include "publishing/MailPresets.h"

#include "config/DataFiles.h"

QList<MailPresets::Preset> MailPresets::all()
{
    static const QList<Preset> presets = [] {
        QList<Preset> list;
        for (const QString &line : DataFiles::readDataLines(QStringLiteral("mail_presets.tsv"))) {
            const QStringList cells = line.split(QLatin1Char('\t'));
            if (cells.size() == 4)
                list.append({cells[0].trimmed(), cells[1].trimmed(), cells[2].trimmed(), cells[3].trimmed()});
        }
        return list;
    }();
    return presets;
}

bool MailPresets::apply(const QString &title, Form &form)
{
    for (const Preset &preset : all()) {
        if (preset.title == title) {
            form.server = preset.host;
            form.port = preset.port;
            form.username = form.address;
            form.connectionType = preset.connectionType;
            return true;
        }
    }
    return false;
}
