#pragma once

#include <QString>
#include <functional>

class QWidget;

// What a file dialog is asked: its title, its filter in the form
// "description|pattern" (the dialog shows "description (pattern)"), and the
// file it starts with.
struct FileRequest {
    enum Kind { Open, Save };
    Kind kind = Open;
    QString title;
    QString filter;
    QString initial;
};

// The chosen path; empty when the user cancels.
using FileChooser = std::function<QString(const FileRequest&)>;

// The platform's open and save dialogs. A pattern matches in either case,
// and a saved file without a suffix gets the pattern's.
QString chooseFile(QWidget* parent, const FileRequest& request);
