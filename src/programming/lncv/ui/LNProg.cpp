#include "LNProg.h"

#include "programming/lncv/LncvFields.h"
#include "programming/lncv/LncvJobs.h"
#include "widgets/FieldProblem.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
int wireArticle(const std::optional<int>& articleNumber) {
    return static_cast<int>(lncvArticleOf(*articleNumber));
}
} // namespace

LNProg::LNProg(LncvJobs& jobs, QWidget* parent) : QWidget(parent, Qt::Window), m_jobs(jobs) {
    setObjectName(QStringLiteral("LNProg"));
    setWindowTitle(QStringLiteral("LocoNet Module programmieren"));

    m_article = addField("LNArtNrTxt", QStringLiteral("-"));
    m_moduleAddress = addField("LNModAdrTxt", QStringLiteral("-"));
    m_start = addButton("StartBut", QStringLiteral("starten"));
    m_end = addButton("EndBut", QStringLiteral("beenden"));
    m_number = addField("LNCV_NR_TXT", QStringLiteral("1"));
    m_value = addField("LNCV_VAL_TXT", QStringLiteral("-"));
    m_read = addButton("Rd_lncvBut", QStringLiteral("Lesen"));
    m_write = addButton("WR_lncvBut", QStringLiteral("Programmieren"));

    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };
    auto* grid = new QGridLayout(this);
    grid->addWidget(label(QStringLiteral("Artikelnummer:"), m_article), 0, 0);
    grid->addWidget(m_article, 0, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Modul Adresse:"), m_moduleAddress), 1, 0);
    grid->addWidget(m_moduleAddress, 1, 1, 1, 3);
    grid->addWidget(label(QStringLiteral("Programmierung:"), m_start), 2, 0);
    grid->addWidget(m_start, 2, 1);
    grid->addWidget(m_end, 2, 2, 1, 2);
    grid->addWidget(label(QStringLiteral("LNCV"), m_number), 3, 0, Qt::AlignRight);
    grid->addWidget(m_number, 3, 1);
    grid->addWidget(label(QStringLiteral("="), m_value), 3, 2);
    grid->addWidget(m_value, 3, 3);
    grid->addWidget(m_read, 4, 1);
    grid->addWidget(m_write, 4, 2, 1, 2);
    grid->addWidget(newStatusLine(this), 5, 0, 1, 4);

    QWidget* order[] = {m_article, m_moduleAddress, m_start, m_end,
                        m_number,  m_value,         m_read,  m_write};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_start, &QPushButton::clicked, this, &LNProg::start);
    connect(m_end, &QPushButton::clicked, this, &LNProg::end);
    connect(m_read, &QPushButton::clicked, this, &LNProg::read);
    connect(m_write, &QPushButton::clicked, this, &LNProg::write);
    m_jobs.setView(this);
    checkFields();
}

LNProg::~LNProg() {
    m_jobs.setView(nullptr);
}

QLineEdit* LNProg::addField(const char* name, const QString& text) {
    auto* field = new QLineEdit(text, this);
    field->setObjectName(QString::fromLatin1(name));
    connect(field, &QLineEdit::textChanged, this, &LNProg::checkFields);
    return field;
}

QPushButton* LNProg::addButton(const char* name, const QString& text) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

LNProg::Numbers LNProg::numbers() const {
    return {fieldArticleNumber(m_article->text()), fieldNumber(m_moduleAddress->text(), LncvMax),
            fieldNumber(m_number->text(), LncvMax), fieldNumber(m_value->text(), LncvMax)};
}

void LNProg::setProgramming(bool on) {
    m_programming = on;
    checkFields();
}

void LNProg::checkFields() {
    const Numbers n = numbers();
    const auto check = [](QLineEdit* field, const std::optional<int>& number, const char* what,
                          int highest) {
        showFieldRange(field, !fieldLooksRight(field->text(), number), QString::fromUtf8(what), 0,
                       highest);
    };
    check(m_article, n.article, "Artikelnummer", LargestLncvArticleNumber);
    check(m_moduleAddress, n.moduleAddress, "Adresse", LncvMax);
    check(m_number, n.number, "LNCV", LncvMax);
    check(m_value, n.value, "Wert", LncvMax);
    m_start->setEnabled(!m_programming && n.article && n.moduleAddress);
    m_end->setEnabled(m_programming);
    m_read->setEnabled(m_programming && n.article && n.number);
    m_write->setEnabled(m_programming && n.article && n.number && n.value);
}

void LNProg::start() {
    const Numbers n = numbers();
    if (n.article && n.moduleAddress)
        m_jobs.startProgramming(wireArticle(n.article), *n.moduleAddress);
}

void LNProg::end() {
    m_jobs.endProgramming();
    setProgramming(false);
}

void LNProg::read() {
    const Numbers n = numbers();
    if (n.article && n.number)
        m_jobs.read(wireArticle(n.article), *n.number);
}

void LNProg::write() {
    const Numbers n = numbers();
    if (!n.article || !n.number || !n.value)
        return;
    m_jobs.write({wireArticle(n.article), *n.number, *n.value});
    // LNCV 0 is the module's address.
    if (*n.number == 0) {
        m_moduleAddress->setText(m_value->text());
        m_jobs.LncvModuleAddress = *n.value;
    }
}

void LNProg::ShowLncv(int number, int value) {
    m_number->setText(QString::number(number));
    m_value->setText(QString::number(value));
}

void LNProg::ShowProgrammingMode() {
    setProgramming(true);
}

void LNProg::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        if (m_jobs.LncvArticle != 0)
            m_article->setText(QString::number(m_jobs.LncvArticle * 10));
        if (m_jobs.LncvModuleAddress != 0)
            m_moduleAddress->setText(QString::number(m_jobs.LncvModuleAddress));
        setProgramming(false);
    }
    QWidget::showEvent(event);
}

void LNProg::closeEvent(QCloseEvent* event) {
    // Closing leaves the module as it is; only "beenden" ends its programming.
    setProgramming(false);
    event->accept();
}
