#include "ZentraleForm.h"

#include "net/ServerHost.h"
#include "widgets/FieldProblem.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <array>

namespace {
const std::array<const char*, 4> Choices = {
    "Gantrex 1 oder Duoplex",
    "Interface 41770",
    "Gantrex Basic oder Gantrex 2 oder Interface 41780",
    "LocoNet über TCP",
};
constexpr int ServerOption = 3;
constexpr int PortDigits = 5;
constexpr int HostShown = 28;
} // namespace

ZentraleForm::ZentraleForm(std::function<InterfaceChoice()> current,
                           std::function<void(const InterfaceChoice&)> choose, QWidget* parent)
    : QDialog(parent), m_current(std::move(current)), m_choose(std::move(choose)),
      m_options(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("ZentraleForm"));
    setWindowTitle(QStringLiteral("Auswahl der Zentrale"));

    auto* frame = new QGroupBox(QStringLiteral("Interface:"));
    auto* column = new QVBoxLayout(frame);
    for (int i = 0; i < static_cast<int>(Choices.size()); ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(Choices[i]));
        option->setObjectName(QStringLiteral("Iopt_%1").arg(i));
        m_options->addButton(option, i);
        column->addWidget(option);
    }
    m_serverRows = new QGridLayout;
    // Indented under their option, as belonging to it.
    m_serverRows->setContentsMargins(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) * 2,
                                     0, 0, 0);
    column->addLayout(m_serverRows);
    m_host = addServerField("ServerHost", QStringLiteral("Server (Name oder IP-Adresse):"), 0);
    m_port = addServerField("ServerPort", QStringLiteral("TCP-Port:"), 1);
    m_port->setMaxLength(PortDigits);
    // Room for a long name or an IPv6 address; the port takes five digits.
    m_host->setMinimumWidth(m_host->fontMetrics().horizontalAdvance(QString(HostShown, u'0')));
    m_port->setFixedWidth(m_port->fontMetrics().horizontalAdvance(QString(PortDigits + 2, u'0')));
    m_serverRows->setColumnStretch(2, 1);

    m_ok = new QPushButton(QStringLiteral("OK"));
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(m_ok, &QPushButton::clicked, this, &ZentraleForm::accept);
    connect(cancel, &QPushButton::clicked, this, &ZentraleForm::reject);
    connect(m_options, &QButtonGroup::idToggled, this, &ZentraleForm::showValidity);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    layout->addWidget(newStatusLine(this));

    setTabOrder(m_options->button(ServerOption), m_host);
    setTabOrder(m_host, m_port);
    setTabOrder(m_port, m_ok);
    setTabOrder(m_ok, cancel);
}

QLineEdit* ZentraleForm::addServerField(const char* name, const QString& label, int row) {
    auto* field = new QLineEdit;
    field->setObjectName(QLatin1String(name));
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    m_serverRows->addWidget(caption, row, 0);
    m_serverRows->addWidget(field, row, 1);
    connect(field, &QLineEdit::textChanged, this, &ZentraleForm::showValidity);
    return field;
}

void ZentraleForm::showEvent(QShowEvent* event) {
    showChoice();
    QDialog::showEvent(event);
}

// All options off, then the one of the interface in use on; none when no
// interface has been chosen yet. The server fields show the server last
// chosen, or the usual port.
void ZentraleForm::showChoice() {
    const InterfaceChoice current = m_current();
    m_options->setExclusive(false);
    for (QAbstractButton* option : m_options->buttons())
        option->setChecked(false);
    m_options->setExclusive(true);
    if (QAbstractButton* option = m_options->button(current.interfaceType - 1))
        option->setChecked(true);
    m_host->setText(current.server.host);
    m_port->setText(QString::number(current.server.port));
    showValidity();
}

bool ZentraleForm::serverChosen() const {
    return m_options->checkedId() == ServerOption;
}

ServerAddress ZentraleForm::typedServer() const {
    return {serverHost(m_host->text()), serverPort(m_port->text())};
}

// The server fields count only for a server; there, a host or port that is
// none is red and OK refuses.
void ZentraleForm::showValidity() {
    const ServerAddress typed = typedServer();
    const bool server = serverChosen();
    m_host->setEnabled(server);
    m_port->setEnabled(server);
    showFieldProblem(m_host, server && typed.host.isEmpty()
                                 ? QStringLiteral("Name oder IP-Adresse des Servers")
                                 : QString());
    showFieldRange(m_port, server && typed.port == 0, QStringLiteral("TCP-Port"), 1, 65535);
    m_ok->setEnabled(m_options->checkedId() >= 0 &&
                     (!server || (!typed.host.isEmpty() && typed.port != 0)));
}

void ZentraleForm::accept() {
    if (!m_ok->isEnabled())
        return;
    InterfaceChoice choice = m_current();
    choice.interfaceType = m_options->checkedId() + 1;
    if (serverChosen())
        choice.server = typedServer();
    m_choose(choice);
    QDialog::accept();
}
