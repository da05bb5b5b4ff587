#pragma once

#include <exception>
#include <functional>
#include <utility>

class QDialog;

// Carries a failure out of a dialog's modal run. A dialog's code runs from Qt's event handling (a
// slot, a validator, a child widget's call-back); an exception raised there would unwind through Qt
// Widgets' frames and the event loop, which run no clean-ups for it. So each such entry runs through
// Guard: while the dialog runs modally (inside Exec), the first failure is kept, the dialog is
// rejected and the entry returns quietly; Exec raises the kept failure once the event loop has
// returned. Outside a modal run (construction, or a caller invoking a slot itself) a failure passes
// through at once.
//
// Once a failure is kept, guarded entries do nothing: the dialog is closing, and a host that has
// answered badly is sent nothing more.
//
// Lives inside its dialog; the dialog is only referred to.
class DialogFailureRelay
{
public:
    explicit DialogFailureRelay(QDialog& dialog);

    DialogFailureRelay(const DialogFailureRelay&) = delete;
    DialogFailureRelay& operator=(const DialogFailureRelay&) = delete;

    // Runs the dialog's modal loop (`run`, the dialog's base exec()) and raises the failure kept
    // while it ran, if any; else returns what `run` returned.
    int Exec(const std::function<int()>& run);

    // Runs one entry of the dialog's code from Qt's event handling.
    template <typename Action>
    void Guard(Action&& action)
    {
        if (HasFailed())
            return;
        try {
            std::forward<Action>(action)();
        } catch (...) {
            Report(std::current_exception());
        }
    }

    // The same for an entry that answers Qt: `fallback` is the answer when the entry failed or was
    // skipped.
    template <typename Action, typename Result>
    Result Guard(Action&& action, Result fallback)
    {
        if (HasFailed())
            return fallback;
        try {
            return std::forward<Action>(action)();
        } catch (...) {
            Report(std::current_exception());
        }
        return fallback;
    }

    // Raises `failure` at once outside a modal run; inside one, keeps it (unless one is kept
    // already: the first is the cause) and rejects the dialog.
    void Report(std::exception_ptr failure);

    // Whether a failure is kept for the running Exec.
    bool HasFailed() const noexcept { return static_cast<bool>(m_failure); }

private:
    QDialog& m_dialog;
    bool m_running = false;
    std::exception_ptr m_failure;
};
