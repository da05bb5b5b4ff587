#include "main/dialogs/DialogFailureRelay.h"

#include <QtWidgets/QDialog>

DialogFailureRelay::DialogFailureRelay(QDialog& dialog)
    : m_dialog(dialog)
{
}

int DialogFailureRelay::Exec(const std::function<int()>& run)
{
    m_running = true;
    int result = QDialog::Rejected;
    try {
        result = run();
    } catch (...) {
        // What leaves the loop itself goes on; a failure kept before it must not outlive this run.
        m_running = false;
        m_failure = nullptr;
        throw;
    }
    m_running = false;
    if (std::exception_ptr failure = std::exchange(m_failure, nullptr))
        std::rethrow_exception(failure);
    return result;
}

void DialogFailureRelay::Report(std::exception_ptr failure)
{
    if (!m_running)
        std::rethrow_exception(failure);
    if (!m_failure)
        m_failure = std::move(failure);
    m_dialog.reject();
}
