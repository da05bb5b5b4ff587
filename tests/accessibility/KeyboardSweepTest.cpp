// What a keyboard or screen-reader user depends on, for every dialog of the library that the tour
// shows: each enabled control that takes the focus has a name a screen reader can say (its own
// text, its buddy label's, or one set on purpose); Tab from the first control visits every such
// control once, in the order the form gives, and comes back to the first; Escape closes the
// dialog. One line of kDialogs per dialog: a new dialog adds its line.

#include "tests/frames/FrameTestSupport.h"
#include "tests/support/ZelTestCase.h"

#include "apps/drivers/ParameterDialogDriver.h"
#include "apps/drivers/SetDefaultMemberDialogDriver.h"
#include "gen-command-wrappers/AliasCommandWrappers.h"
#include "host/doc/ComponentCleanup.h"
#include "main/dialogs/AutosaveFileRecoverDialog.h"
#include "main/dialogs/CalculatedMembersDialog.h"
#include "main/dialogs/CertificateNamesDialog.h"
#include "main/dialogs/EditAliasesDialog.h"
#include "main/dialogs/ParameterDialog.h"
#include "main/dialogs/SelectMemberDialog.h"
#include "main/dialogs/SetDefaultMemberDialog.h"
#include "main/dialogs/ShowMembersDialog_New.h"
#include "main/dialogs/ZelvarFramelessDialog.h"
#include "main/dialogs/ZelvarFramelessDialog_Deprecated.h"
#include "main/dialogs/ZelvarNonModalDialog.h"
#include "sim/AliasArea.h"
#include "sim/AutosaveArea.h"
#include "sim/CalculatedMembersArea.h"
#include "sim/CubeArea.h"
#include "sim/OrdersCube.h"
#include "sim/ParameterEditArea.h"
#include "sim/ParameterListArea.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"
#include "sim/TableViewArea.h"
#include "widgets/ParameterMemberView.h"

#include <QtCore/QTemporaryDir>
#include <QtGui/QAccessible>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

namespace {

// The simulated host with the areas the dialogs talk to, over a small workbook. The workbook is
// made first and goes last: the areas' handlers refer to it.
struct SweepHost
{
    SweepHost()
        : workbook(Zel::Sim::SampleWorkbook::Options {2'000, QString(), true})
        , autosave(host, autosaveFolder.path())
        , tableView(host, workbook)
        , lists(host)
        , edits(host, workbook, lists)
        , cube(host, workbook)
        , calculations(host, cube.Cube())
        , aliases(host, workbook)
    {
        autosave.AddCopy(TString(QStringLiteral("C:\\Reports\\Regional Sales.zwb")), QDateTime::currentDateTime());
        autosave.AddCopy(TString(QStringLiteral("Book1")), QDateTime::currentDateTime().addDays(-1));
    }

    std::shared_ptr<ICommandDispatcher const> Shared()
    {
        return {&host, [](ICommandDispatcher const*) {}};
    }

    Zel::Sim::SimHost host;
    Zel::Sim::SampleWorkbook workbook;
    QTemporaryDir autosaveFolder;
    Zel::Sim::AutosaveArea autosave;
    Zel::Sim::TableViewArea tableView;
    Zel::Sim::ParameterListArea lists;
    Zel::Sim::ParameterEditArea edits;
    Zel::Sim::CubeArea cube;
    Zel::Sim::CalculatedMembersArea calculations;
    Zel::Sim::AliasArea aliases;
    // Drops the alias edit an opened dialog works on, after the dialog has gone.
    std::optional<ComponentCleanup> aliasEditCleanup;
};

FieldName CubeHierarchy(const char* name)
{
    return FieldName(Zel::Sim::OrdersCube::DataSourceName(), TString::FromUtf8(name));
}

// The alias dialog over a host edit of the regions' aliases, as the host's launcher opens it.
std::unique_ptr<QWidget> EditAliases(SweepHost& h)
{
    const auto started = StartEditAliases(
        h.host, FieldName(Zel::Sim::SampleWorkbook::DataSourceName(), TString(QStringLiteral("Region"))));
    h.aliasEditCleanup.emplace(h.host, started.Get<Zel::Commands::Alias::CleanupCommands>());
    return std::make_unique<EditAliasesDialog>(h.host, started.Get<Zel::Commands::Alias::Aliases>());
}

// What a dialog built on a frame puts into it: a labelled field and the two buttons.
QWidget* FrameContent(QDialog& dialog)
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* label = new QLabel(QObject::tr("Sheet &name:"), content);
    auto* name = new QLineEdit(content);
    label->setBuddy(name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, content);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(label);
    layout->addWidget(name);
    layout->addWidget(buttons);
    return content;
}

template <typename Frame>
std::unique_ptr<QWidget> WithContent(std::unique_ptr<Frame> frame)
{
    frame->setWindowTitle(QObject::tr("Rename Sheet"));
    frame->SetContentWidget(FrameContent(*frame));
    frame->resize(360, 220);
    return frame;
}

// A legacy frame whose subclass puts the content into its body.
std::unique_ptr<QWidget> LegacyWithContent()
{
    auto frame = std::make_unique<FrameTest::LegacyFrame>(false, false);
    auto* layout = new QVBoxLayout(frame->GetBodyWidget());
    layout->addWidget(FrameContent(*frame));
    frame->resize(360, 220);
    return frame;
}

// A parameter's list of values as the parameter dialog hosts it, in a dialog of its own.
std::unique_ptr<QWidget> MemberViewDialog(SweepHost& h)
{
    auto dialog = std::make_unique<QDialog>();
    auto* layout = new QVBoxLayout(dialog.get());
    auto* label = new QLabel(QObject::tr("&Values:"), dialog.get());
    const auto edit = h.edits.OpenNewParameterEdit();
    auto* view = new ParameterMemberView(dialog.get());
    view->Initialize(h.host, edit.editId);
    label->setBuddy(view);
    layout->addWidget(label);
    layout->addWidget(view);
    return dialog;
}

struct SweptDialog
{
    const char* name;
    std::function<std::unique_ptr<QWidget>(SweepHost&)> open;
};

const SweptDialog kDialogs[] = {
    {"ZelvarFramelessDialog",
        [](SweepHost&) { return WithContent(std::make_unique<ZelvarFramelessDialog>(nullptr, true)); }},
    {"ZelvarFramelessDialog_Deprecated", [](SweepHost&) { return LegacyWithContent(); }},
    {"ZelvarNonModalDialog",
        [](SweepHost&) {
            return WithContent(
                std::make_unique<ZelvarNonModalDialog>(IFloatingWindowsManager::Availabilities(), nullptr, true));
        }},
    {"AutosaveFileRecoverDialog",
        [](SweepHost& h) { return std::unique_ptr<QWidget>(new AutosaveFileRecoverDialog(h.host, nullptr)); }},
    {"CertificateNamesDialog",
        [](SweepHost&) {
            return std::unique_ptr<QWidget>(new CertificateNamesDialog(
                {TString(QStringLiteral("Dana Whitfield")), TString(QStringLiteral("Finance Signing CA"))}, nullptr));
        }},
    {"ShowMembersDialog_New",
        [](SweepHost& h) {
            return std::unique_ptr<QWidget>(new ShowMembersDialog_New(
                h.Shared(), FieldName(Zel::Sim::SampleWorkbook::DataSourceName(), TString(QStringLiteral("Region")))));
        }},
    {"ParameterMemberView", MemberViewDialog},
    {"ParameterDialog",
        [](SweepHost& h) { return std::unique_ptr<QWidget>(Zel::Drivers::OpenNewParameterDialog(h.host, h.edits)); }},
    {"SelectMemberDialog",
        [](SweepHost& h) {
            return std::unique_ptr<QWidget>(new SelectMemberDialog(h.Shared(), CubeHierarchy("Geography")));
        }},
    {"SetDefaultMemberDialog",
        [](SweepHost& h) {
            return std::unique_ptr<QWidget>(
                Zel::Drivers::OpenSetDefaultMemberDialog(h.Shared(), CubeHierarchy("Geography")));
        }},
    {"CalculatedMembersDialog",
        [](SweepHost& h) {
            return std::unique_ptr<QWidget>(std::make_unique<CalculatedMembersDialog>(
                h.Shared(), Zel::Sim::OrdersCube::DataSourceName(), FieldName(), true));
        }},
    {"EditAliasesDialog", EditAliases},
};

// An option button that is not the chosen one of its exclusive group: Tab enters a group at its
// chosen button, and the arrow keys move within it.
bool IsUnchosenOption(const QWidget* w)
{
    const auto* radio = qobject_cast<const QRadioButton*>(w);
    if (!radio || radio->isChecked())
        return false;
    if (const QButtonGroup* group = radio->group())
        return group->exclusive() && group->checkedButton();
    if (!radio->autoExclusive() || !radio->parentWidget())
        return false;
    const auto siblings = radio->parentWidget()->findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    return std::any_of(siblings.begin(), siblings.end(),
        [](const QRadioButton* other) { return other->autoExclusive() && !other->group() && other->isChecked(); });
}

// Whether Tab may stop on `w` inside `window`: what QWidget's own focus chain walk asks.
bool TakesTabFocus(const QWidget* w, const QWidget* window)
{
    return w != window && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisibleTo(window) && w->isEnabled()
        && !w->focusProxy() && w->window() == window && !IsUnchosenOption(w);
}

// The controls Tab should visit, in the order of the window's focus chain (the forms' tab order).
QList<QWidget*> FocusChain(QWidget* window)
{
    QList<QWidget*> chain;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
        if (TakesTabFocus(w, window) && !chain.contains(w))
            chain << w;
    return chain;
}

QString Describe(const QWidget* w)
{
    return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
}

// The name a screen reader says for `w`: its accessible name, or the name of what labels it.
QString SpokenName(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return QString();
    QString name = iface->text(QAccessible::Name).trimmed();
    if (!name.isEmpty())
        return name;
    for (const auto& [label, relation] : iface->relations(QAccessible::Label)) {
        (void)relation;
        if (label && !label->text(QAccessible::Name).trimmed().isEmpty())
            return label->text(QAccessible::Name).trimmed();
    }
    return QString();
}

} // namespace

class KeyboardSweepTest : public ZelTest::ZelTestCase
{
    Q_OBJECT

private slots:
    void everyControlHasASpokenName_data() { AddDialogRows(); }
    void everyControlHasASpokenName();
    void tabVisitsEveryControlOnceInFormOrder_data() { AddDialogRows(); }
    void tabVisitsEveryControlOnceInFormOrder();
    void escapeClosesTheDialog_data() { AddDialogRows(); }
    void escapeClosesTheDialog();

private:
    static void AddDialogRows();
    // Opens the row's dialog and shows it active, as a user finds it.
    std::unique_ptr<QWidget> Open(SweepHost& host);
};

void KeyboardSweepTest::AddDialogRows()
{
    QTest::addColumn<int>("line");
    for (std::size_t i = 0; i < std::size(kDialogs); ++i)
        QTest::newRow(kDialogs[i].name) << static_cast<int>(i);
}

std::unique_ptr<QWidget> KeyboardSweepTest::Open(SweepHost& host)
{
    QFETCH(int, line);
    std::unique_ptr<QWidget> dialog = kDialogs[line].open(host);
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    if (!QTest::qWaitForWindowActive(dialog.get()))
        return nullptr;
    return dialog;
}

void KeyboardSweepTest::everyControlHasASpokenName()
{
    SweepHost host;
    std::unique_ptr<QWidget> dialog = Open(host);
    QVERIFY(dialog);
    const QList<QWidget*> controls = FocusChain(dialog.get());
    QVERIFY(!controls.isEmpty());
    QStringList unnamed;
    for (QWidget* control : controls)
        if (SpokenName(control).isEmpty())
            unnamed << Describe(control);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("no name to speak: ") + unnamed.join(QStringLiteral(", "))));
}

void KeyboardSweepTest::tabVisitsEveryControlOnceInFormOrder()
{
    SweepHost host;
    std::unique_ptr<QWidget> dialog = Open(host);
    QVERIFY(dialog);
    const QList<QWidget*> chain = FocusChain(dialog.get());
    QVERIFY(!chain.isEmpty());

    chain.first()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), chain.first());
    QStringList visited {Describe(chain.first())};
    for (int i = 1; i <= chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focused = QApplication::focusWidget();
        visited << (focused ? Describe(focused) : QStringLiteral("nothing"));
        QVERIFY2(focused == chain[i % chain.size()],
            qPrintable(
                QStringLiteral("Tab %1 went to %2 instead of %3; visited: %4")
                    .arg(i)
                    .arg(visited.last(), Describe(chain[i % chain.size()]), visited.join(QStringLiteral(" > ")))));
    }
}

void KeyboardSweepTest::escapeClosesTheDialog()
{
    SweepHost host;
    std::unique_ptr<QWidget> dialog = Open(host);
    QVERIFY(dialog);
    const QList<QWidget*> chain = FocusChain(dialog.get());
    QWidget* start = chain.isEmpty() ? dialog.get() : chain.first();
    start->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : dialog.get(), Qt::Key_Escape);
    QTRY_VERIFY(!dialog->isVisible());
}

QTEST_MAIN(KeyboardSweepTest)
#include "KeyboardSweepTest.moc"
