#include "LauncherWindow.h"

#include "DemoEnvironment.h"
#include "DemoScenario.h"

#include <QtCore/QLocale>
#include <QtCore/QTimer>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPlainTextEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QStatusBar>
#include <QtWidgets/QVBoxLayout>

#include <exception>

LauncherWindow::LauncherWindow(DemoEnvironment& environment, QWidget* parent)
    : QMainWindow(parent)
    , m_environment(environment)
{
    setWindowTitle(tr("zeldialog demo"));

    auto* central = new QWidget(this);
    auto* intro
        = new QLabel(tr("Open a dialog against the simulated host. Every command it sends appears below."), central);
    intro->setWordWrap(true);

    m_scenarioList = new QListWidget(central);
    m_scenarioList->setObjectName(QStringLiteral("m_scenarioList"));
    for (const DemoScenario& scenario : DemoScenarios()) {
        auto* item
            = new QListWidgetItem(scenario.title + QStringLiteral("  \u2014  ") + scenario.dialogClass, m_scenarioList);
        item->setToolTip(scenario.dialogClass);
    }
    m_scenarioList->setCurrentRow(0);

    m_openButton = new QPushButton(tr("Open"), central);
    m_openButton->setObjectName(QStringLiteral("m_openButton"));
    m_openButton->setDefault(true);
    auto* clearButton = new QPushButton(tr("Clear commands"), central);

    m_commands = new QPlainTextEdit(central);
    m_commands->setObjectName(QStringLiteral("m_commands"));
    m_commands->setReadOnly(true);
    m_commands->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_commands->setPlaceholderText(tr("Commands exchanged with the host"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(clearButton);
    buttons->addWidget(m_openButton);

    auto* splitter = new QSplitter(Qt::Vertical, central);
    splitter->addWidget(m_scenarioList);
    splitter->addWidget(m_commands);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(central);
    layout->addWidget(intro);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    setCentralWidget(central);

    const std::size_t dialogs = DemoScenarios().size() - 1;
    statusBar()->showMessage(dialogs == 0 ? tr("No dialog scenarios yet: only the sample workbook page.")
                                          : tr("%n dialog scenario(s)", nullptr, static_cast<int>(dialogs)));

    connect(m_openButton, &QPushButton::clicked, this, &LauncherWindow::OnOpen);
    connect(m_scenarioList, &QListWidget::itemActivated, this, &LauncherWindow::OnOpen);
    connect(clearButton, &QPushButton::clicked, this, [this] {
        m_environment.Host().ClearExchanges();
        m_commands->clear();
        m_shownExchanges = 0;
    });
    // A non-modal dialog keeps sending commands after OnOpen returns.
    auto* poll = new QTimer(this);
    connect(poll, &QTimer::timeout, this, &LauncherWindow::UpdateCommands);
    poll->start(300);

    resize(720, 560);
}

LauncherWindow::~LauncherWindow() = default;

void LauncherWindow::OnOpen()
{
    const int row = m_scenarioList->currentRow();
    const std::vector<DemoScenario>& scenarios = DemoScenarios();
    if (row < 0 || row >= static_cast<int>(scenarios.size()))
        return;
    const DemoScenario& scenario = scenarios[static_cast<std::size_t>(row)];
    m_commands->appendPlainText(QStringLiteral("\u2014 ") + scenario.dialogClass);
    try {
        scenario.openInteractively(m_environment, this);
    } catch (const std::exception& e) {
        QMessageBox::warning(
            this, windowTitle(), tr("%1 failed: %2").arg(scenario.dialogClass, QString::fromUtf8(e.what())));
    }
    UpdateCommands();
}

void LauncherWindow::UpdateCommands()
{
    const auto& exchanges = m_environment.Host().Exchanges();
    // The host trims its log when it grows long; start again from what it still holds.
    if (exchanges.size() < m_shownExchanges)
        m_shownExchanges = 0;
    for (; m_shownExchanges < exchanges.size(); ++m_shownExchanges)
        m_commands->appendPlainText(exchanges[m_shownExchanges].ToString());
}
