#pragma once

#include <QtWidgets/QMainWindow>

class DemoEnvironment;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The demo with a display: lists the scenarios (the sample workbook page first) and opens the
// chosen one against the simulated host. Below the list it shows the commands the host exchanged,
// so that a person trying a dialog sees what each action sent.
//
// Windows that a scenario opens without a modal loop are children of this window, so they go
// before the environment does.
class LauncherWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit LauncherWindow(DemoEnvironment& environment, QWidget* parent = nullptr);
    ~LauncherWindow() override;

private slots:
    void OnOpen();
    void UpdateCommands();

private:
    DemoEnvironment& m_environment;
    QListWidget* m_scenarioList = nullptr;
    QPushButton* m_openButton = nullptr;
    QPlainTextEdit* m_commands = nullptr;
    std::size_t m_shownExchanges = 0;
};
