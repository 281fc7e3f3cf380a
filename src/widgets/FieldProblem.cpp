#include "FieldProblem.h"

#include "WindowColours.h"

#include <QMainWindow>
#include <QStatusBar>

namespace {
const char* const ProblemProperty = "fieldProblem";

QString problemOf(const QWidget* field) {
    return field->property(ProblemProperty).toString();
}

QStatusBar* statusLineOf(QWidget* window) {
    return window->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly);
}

QString firstProblemIn(QWidget* window) {
    for (const QWidget* field : window->findChildren<QWidget*>()) {
        if (field->window() == window && !problemOf(field).isEmpty())
            return problemOf(field);
    }
    return {};
}
} // namespace

QStatusBar* newStatusLine(QWidget* window) {
    auto* line = new QStatusBar(window);
    line->setObjectName(QStringLiteral("StatusLine"));
    line->setSizeGripEnabled(qobject_cast<QMainWindow*>(window) != nullptr);
    return line;
}

void showFieldProblem(QWidget* field, const QString& problem) {
    const QString before = problemOf(field);
    field->setProperty(ProblemProperty, problem);
    paintText(field, !problem.isEmpty());
    field->setToolTip(problem);
    field->setAccessibleDescription(problem);
    QStatusBar* line = statusLineOf(field->window());
    if (!line || problem == before)
        return;
    if (!problem.isEmpty())
        line->showMessage(problem);
    else if (line->currentMessage() == before)
        line->showMessage(firstProblemIn(field->window()));
}

void showFieldRange(QWidget* field, bool wrong, const QString& what, qint64 lowest,
                    qint64 highest) {
    showFieldProblem(field, wrong
                                ? QStringLiteral("%1 %2 bis %3").arg(what).arg(lowest).arg(highest)
                                : QString());
}
