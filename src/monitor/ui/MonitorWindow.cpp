#include "MonitorWindow.h"

#include "MonitorRowLook.h"
#include "link/LinkView.h"
#include "monitor/MonitorFile.h"
#include "monitor/MonitorLog.h"
#include "monitor/MonitorModel.h"
#include "platform/DigitText.h"
#include "widgets/FieldProblem.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

namespace {
constexpr int AddressDigits = 5;
constexpr qint64 HighestAddress = 99999;

// An address field: empty leaves its end open; anything but digits is no
// address.
std::optional<int> typedAddress(const QLineEdit* field) {
    const QString text = field->text().trimmed();
    if (text.isEmpty())
        return monitor::NoAddress;
    if (!isDigitsOnly(text))
        return std::nullopt;
    return static_cast<int>(leadingDigitsValue(text, HighestAddress));
}

QString askSavePath(QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("LocoNet Monitor speichern"),
                                        QStringLiteral("LocoNet.txt"),
                                        QStringLiteral("Textdateien (*.txt)"));
}
} // namespace

MonitorWindow::MonitorWindow(MonitorLog& log, LinkView& messages, SavePathChooser chooseSavePath,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), m_log(log), m_messages(messages),
      m_chooseSavePath(chooseSavePath ? std::move(chooseSavePath)
                                      : [this] { return askSavePath(this); }),
      m_model(new MonitorModel(log, this)) {
    setObjectName(QStringLiteral("LocoNetMonitor"));
    setWindowTitle(QStringLiteral("LocoNet Monitor"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFilters());
    layout->addWidget(buildButtons());
    buildTable();
    layout->addWidget(m_table, 1);
    layout->addWidget(newStatusLine(this));

    m_refresh.setInterval(RefreshInterval);
    connect(&m_refresh, &QTimer::timeout, this, &MonitorWindow::refresh);
    resize(1000, 520);
}

QWidget* MonitorWindow::buildFilters() {
    auto* box = new QGroupBox(QStringLiteral("Anzeigen"));
    auto* row = new QHBoxLayout(box);
    for (const monitor::MessageKind kind : monitor::AllKinds) {
        const int k = static_cast<int>(kind);
        m_kinds[k] = new QCheckBox(monitor::kindName(kind));
        m_kinds[k]->setObjectName(QStringLiteral("kindFilter_%1").arg(k));
        m_kinds[k]->setChecked(true);
        connect(m_kinds[k], &QCheckBox::toggled, this, &MonitorWindow::applyFilter);
        row->addWidget(m_kinds[k]);
    }
    row->addSpacing(fontMetrics().horizontalAdvance(u'M') * 2);
    const auto addField = [&](const QString& caption, const QString& name) {
        auto* field = new QLineEdit;
        field->setObjectName(name);
        field->setMaxLength(AddressDigits);
        field->setFixedWidth(fontMetrics().horizontalAdvance(QString(AddressDigits + 2, u'0')));
        auto* label = new QLabel(caption);
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
        connect(field, &QLineEdit::textChanged, this, &MonitorWindow::applyFilter);
        return field;
    };
    m_from = addField(QStringLiteral("Adressen &von:"), QStringLiteral("addressFrom"));
    m_to = addField(QStringLiteral("&bis:"), QStringLiteral("addressTo"));
    row->addStretch(1);
    return box;
}

QWidget* MonitorWindow::buildButtons() {
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const auto addButton = [&](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption);
        button->setObjectName(name);
        button->setAutoDefault(false);
        row->addWidget(button);
        return button;
    };
    m_pause = addButton(QStringLiteral("&Anhalten"), QStringLiteral("pauseButton"));
    m_pause->setCheckable(true);
    connect(m_pause, &QPushButton::toggled, this, &MonitorWindow::pause);
    connect(addButton(QStringLiteral("&Leeren"), QStringLiteral("clearButton")),
            &QPushButton::clicked, this, [this] {
                m_model->clear();
                showCounts();
            });
    m_copy = addButton(QStringLiteral("&Kopieren"), QStringLiteral("copyButton"));
    m_copy->setEnabled(false);
    connect(m_copy, &QPushButton::clicked, this, &MonitorWindow::copyRows);
    connect(addButton(QStringLiteral("&Speichern …"), QStringLiteral("saveButton")),
            &QPushButton::clicked, this, &MonitorWindow::saveRows);
    row->addStretch(1);
    m_busLoad = new QLabel;
    m_busLoad->setObjectName(QStringLiteral("busLoad"));
    m_counts = new QLabel;
    m_counts->setObjectName(QStringLiteral("rowCounts"));
    row->addWidget(m_busLoad);
    row->addSpacing(fontMetrics().horizontalAdvance(u'M') * 2);
    row->addWidget(m_counts);
    return bar;
}

// Rows of one height and columns of set widths: the view never asks every
// row for its size, so twenty thousand cost no more than the few shown. A
// tree view without branches rather than a table view: a table's row header
// keeps a record per row whose storage drifts as rows leave at the top and
// join at the bottom; this one lays its rows out afresh.
void MonitorWindow::buildTable() {
    m_table = new QTreeView;
    m_table->setObjectName(QStringLiteral("messageTable"));
    m_table->setAccessibleName(QStringLiteral("Messages"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new MonitorRowLook(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->setUniformRowHeights(true);
    m_table->setRootIsDecorated(false);
    m_table->setItemsExpandable(false);
    m_table->setAllColumnsShowFocus(true);

    const QFontMetrics metrics = fontMetrics();
    const QFontMetrics fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QHeaderView* header = m_table->header();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    header->resizeSection(MonitorModel::TimeColumn,
                          metrics.horizontalAdvance(QStringLiteral("Zeit (ms)0000")));
    header->resizeSection(MonitorModel::WallClockColumn,
                          metrics.horizontalAdvance(QStringLiteral("00:00:00.0000")));
    header->resizeSection(MonitorModel::DirectionColumn,
                          metrics.horizontalAdvance(QStringLiteral("gesendet00")));
    // Room for the fifteen bytes of the station's requests; longer ones
    // show whole on hover.
    header->resizeSection(MonitorModel::BytesColumn,
                          fixed.horizontalAdvance(QString(15 * 3, u'0')));

    auto* copy = new QAction(m_table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, this, &MonitorWindow::copyRows);
    m_table->addAction(copy);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_copy->setEnabled(m_table->selectionModel()->hasSelection()); });
}

void MonitorWindow::refresh() {
    QScrollBar* scroll = m_table->verticalScrollBar();
    const bool following = scroll->value() == scroll->maximum();
    m_model->refresh();
    if (following && !m_model->paused())
        m_table->scrollToBottom();
    const MonitorLog::BusLoad load = m_log.busLoad();
    m_busLoad->setText(QStringLiteral("Buslast %1 % · %2 Messages/s")
                           .arg(qRound(load.share * 100))
                           .arg(load.messagesPerSecond));
    showCounts();
}

void MonitorWindow::showCounts() {
    QString text =
        QStringLiteral("%1 von %2 Messages").arg(m_model->rowCount()).arg(m_model->heldCount());
    if (const int damaged = m_log.damagedCount())
        text += QStringLiteral(" · %1 beschädigt verworfen").arg(damaged);
    if (m_model->paused())
        text += QStringLiteral(" · angehalten");
    m_counts->setText(text);
}

void MonitorWindow::applyFilter() {
    const std::optional<int> from = typedAddress(m_from);
    const std::optional<int> to = typedAddress(m_to);
    const bool crossed =
        from && to && *from != monitor::NoAddress && *to != monitor::NoAddress && *from > *to;
    const auto problem = [crossed](const std::optional<int>& address) {
        if (!address)
            return QStringLiteral("Nur Ziffern; leer für alle Adressen");
        return crossed ? QStringLiteral("Die erste Adresse ist größer als die letzte") : QString();
    };
    showFieldProblem(m_from, problem(from));
    showFieldProblem(m_to, problem(to));
    MonitorFilter filter = m_model->filter();
    for (int k = 0; k < monitor::KindCount; ++k)
        filter.kinds[k] = m_kinds[k]->isChecked();
    // A range that is none yet keeps the one before while the user types.
    if (from && to && !crossed) {
        filter.from = *from;
        filter.to = *to;
    }
    m_model->setFilter(filter);
    if (!m_model->paused())
        m_table->scrollToBottom();
    showCounts();
}

void MonitorWindow::pause(bool paused) {
    m_model->setPaused(paused);
    m_pause->setText(paused ? QStringLiteral("&Weiter") : QStringLiteral("&Anhalten"));
    if (!paused)
        m_table->scrollToBottom();
    showCounts();
}

void MonitorWindow::copyRows() {
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end());
    QApplication::clipboard()->setText(monitorRowsText(*m_model, rows));
}

void MonitorWindow::saveRows() {
    const QString path = m_chooseSavePath();
    if (path.isEmpty())
        return;
    QString error;
    if (!saveMonitorRows(*m_model, path, &error))
        m_messages.ShowMessage(
            QStringLiteral("Die Datei %1 kann nicht geschrieben werden:\n%2").arg(path, error),
            QStringLiteral("Fehler"), MessageIcon::Critical);
}

void MonitorWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
    m_table->scrollToBottom();
    m_refresh.start();
}

void MonitorWindow::hideEvent(QHideEvent* event) {
    m_refresh.stop();
    QWidget::hideEvent(event);
}

// Put away with Esc, as a tool window is.
void MonitorWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
