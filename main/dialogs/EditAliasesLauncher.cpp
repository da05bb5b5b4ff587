#include "main/dialogs/EditAliasesLauncher.h"

#include "gen-command-wrappers/AliasCommandWrappers.h"
#include "host/doc/ComponentCleanup.h"
#include "main/dialogs/EditAliasesDialog.h"

namespace Cmds = Zel::Commands::Alias;

namespace {

// Commit and cancel end the edit; the answer says nothing the dialog could act on, so it is
// released unread, null or not.
template <typename Cmd>
void SendUnread(const ICommandDispatcher& dispatcher, int editId)
{
    dispatcher.ExecuteCommand(
        Cmd::id, RefCntPtr<IParameters const>(Zel::Commands::ArgumentSet<Cmd>::Make(editId)), nullptr);
}

} // namespace

void LaunchEditAliasesDialog(RefCntPtr<EditAliasesEventPresModel const> event, IWorkbookDoc& doc)
{
    // Declared in the order they must go in reverse: the dialog first, then the clean-up (which
    // still sends through the dispatcher), then the dispatcher.
    const SubCommandWithLoggingDispatcher dispatcher(doc);
    const auto started = StartEditAliases(dispatcher, event->GetFieldName());
    // Before the list is read: a list the host got wrong still leaves its edit to be dropped.
    ComponentCleanup cleanup(dispatcher, started.Get<Cmds::CleanupCommands>());
    const RefCntPtr<AliasesPresModel const> aliases = started.Get<Cmds::Aliases>();
    {
        EditAliasesDialog dialog(dispatcher, aliases);
        if (dialog.exec(QStringLiteral("EditAliasesDialog")) == QDialog::Accepted)
            SendUnread<Cmds::CommitEditAliases>(dispatcher, aliases->GetID());
        else
            SendUnread<Cmds::CancelEditAliases>(dispatcher, aliases->GetID());
    }
    // The clean-up is never discarded: the host takes its edit back after a commit too.
}
