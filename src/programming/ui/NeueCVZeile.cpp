#include "NeueCVZeile.h"

#include "programming/CvText.h"
#include "widgets/FieldProblem.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

NeueCVZeile::NeueCVZeile(QWidget* parent)
    : QDialog(parent), m_name(new QLineEdit(this)), m_cv(new QLineEdit(this)),
      m_explanation(new QLineEdit(this)), m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("NeueCVZeile"));
    setWindowTitle(QStringLiteral("CV-Tabelle: neue Zeile"));
    m_name->setObjectName(QStringLiteral("CvTabNameTxt"));
    m_cv->setObjectName(QStringLiteral("CVNrTxT"));
    m_cv->setMaxLength(4);
    m_explanation->setObjectName(QStringLiteral("CVErklTxt"));
    m_ok->setObjectName(QStringLiteral("OKBut"));
    m_ok->setDefault(true);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Name Tabelle:"), m_name);
    layout->addRow(QStringLiteral("CV-Nr:"), m_cv);
    layout->addRow(QStringLiteral("Erklärung:"), m_explanation);
    layout->addRow(m_ok);
    layout->addRow(newStatusLine(this));
    setTabOrder(m_name, m_cv);
    setTabOrder(m_cv, m_explanation);
    setTabOrder(m_explanation, m_ok);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cv, &QLineEdit::textChanged, this, &NeueCVZeile::checkCv);
}

void NeueCVZeile::openFor(const QString& tableName) {
    m_cv->clear();
    m_explanation->clear();
    m_name->setText(tableName);
    open();
    m_cv->setFocus();
}

QString NeueCVZeile::tableName() const {
    return m_name->text();
}

int NeueCVZeile::cv() const {
    const QString text = m_cv->text();
    const int cv = cvtext::fieldNumber(text);
    return cvtext::holdsNumber(text) && cv >= 1 && cv <= cvtext::MaxFieldCv ? cv : 0;
}

QString NeueCVZeile::explanation() const {
    return m_explanation->text();
}

// A row needs a CV of 1..1023; an empty number only renames the table.
void NeueCVZeile::checkCv() {
    const bool acceptable = m_cv->text().isEmpty() || cv() != 0;
    showFieldRange(m_cv, !acceptable, QStringLiteral("CV"), 1, cvtext::MaxFieldCv);
    m_ok->setEnabled(acceptable);
}
