#include "HelpWindow.h"

#include "CourierFont.h"
#include "operating/HelpText.h"

#include <QDir>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
constexpr int VisibleColumns = 82;
constexpr int VisibleLines = 30;
} // namespace

HelpWindow::HelpWindow(const QString& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), m_lines(new QListWidget), m_note(new QLabel) {
    setObjectName(QStringLiteral("Hilfe"));
    setWindowTitle(QStringLiteral("Hilfe"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_lines->setObjectName(QStringLiteral("HlpTxt"));
    m_lines->setAccessibleName(QStringLiteral("Hilfetext"));
    m_lines->setFont(courierNewFont());
    m_lines->setUniformItemSizes(true);
    m_note->setObjectName(QStringLiteral("HlpNote"));
    m_note->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_lines);

    if (const auto text = readHelpFile(helpFile)) {
        m_lines->addItems(*text);
        m_note->hide();
    } else {
        m_note->setText(QStringLiteral("Die Hilfedatei %1 fehlt oder ist nicht lesbar.")
                            .arg(QDir::toNativeSeparators(helpFile)));
    }

    const QFontMetrics metrics(m_lines->font());
    resize(metrics.horizontalAdvance(QString(VisibleColumns, u'M')) + 40,
           metrics.lineSpacing() * VisibleLines);
}

// Read and put away with Esc, as a help window is.
void HelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
