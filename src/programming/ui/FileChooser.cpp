#include "FileChooser.h"

#include <QFileDialog>

QString chooseFile(QWidget* parent, const FileRequest& request) {
    const QString description = request.filter.section(u'|', 0, 0);
    const QString pattern = request.filter.section(u'|', 1);
    QFileDialog dialog(parent, request.title, request.initial,
                       QStringLiteral("%1 (%2 %3)").arg(description, pattern, pattern.toLower()));
    const bool save = request.kind == FileRequest::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(pattern.section(u'.', -1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}
