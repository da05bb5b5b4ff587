#include "host/ui/HierarchySelectWidget.h"

#include "gen-command-wrappers/CubeCommandWrappers.h"
#include "host/doc/Exceptions.h"
#include "host/doc/HostLog.h"
#include "host/doc/StringIds.h"
#include "host/ui/HierarchyMemberModel.h"
#include "host/ui/LazyTreeView.h"
#include "host/ui/MemberItemDelegate.h"

#include <QtCore/QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QAction>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QStackedWidget>
#include <QtWidgets/QStyle>
#include <QtWidgets/QVBoxLayout>

namespace {

constexpr const char* kSource = "host/ui/HierarchySelectWidget";
constexpr int kSearchDelayMilliseconds = 300;
constexpr int kTreePage = 0;
constexpr int kResultsPage = 1;

namespace Cmds = Zel::Commands::Cube;

void Log(const QString& text)
{
    LogMessage(TString(QStringLiteral("HierarchySelectWidget: ") + text));
}

// Runs `send`; true when the host refused the command (a null answer), which is then logged. Any
// other failure goes on to the caller.
template <typename Send>
bool Refused(Send&& send, const QString& what)
{
    try {
        send();
        return false;
    } catch (const LogicException& e) {
        if (e.Condition() != "parameters != nullptr")
            throw;
        Log(QStringLiteral("the host refused ") + what);
        return true;
    }
}

} // namespace

HierarchySelectWidget::HierarchySelectWidget(QWidget* parent)
    : QWidget(parent)
    , m_pages(new QStackedWidget(this))
    , m_tree(new LazyTreeView(m_pages))
    , m_results(new QListWidget(m_pages))
    , m_searchBox(new QLineEdit(this))
    , m_status(new QLabel(this))
    , m_delegate(new MemberItemDelegate(this))
    , m_searchTimer(new QTimer(this))
{
    m_tree->setObjectName(QStringLiteral("memberTree"));
    m_results->setObjectName(QStringLiteral("searchResults"));
    m_searchBox->setObjectName(QStringLiteral("searchBox"));
    m_status->setObjectName(QStringLiteral("searchStatus"));
    // Screen readers say these names; a placeholder is not one.
    m_tree->setAccessibleName(LookupTStr(Zel::Strings::MemberTreeName).ToQString());
    m_results->setAccessibleName(LookupTStr(Zel::Strings::MemberTreeName).ToQString());
    m_searchBox->setAccessibleName(LookupTStr(Zel::Strings::MemberSearchPlaceholder).ToQString());

    m_tree->setItemDelegate(m_delegate);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_delegate->SetMark(MemberItemDelegate::Mark::RadioButton);
    m_results->setUniformItemSizes(true);
    m_pages->addWidget(m_tree);
    m_pages->addWidget(m_results);
    m_pages->setCurrentIndex(kTreePage);

    m_searchBox->setPlaceholderText(LookupTStr(Zel::Strings::MemberSearchPlaceholder).ToQString());
    // A clear button of our own: the line edit's built-in one fades in and out through an animation
    // that outlives the widget when it is closed mid-fade.
    QAction* clear = m_searchBox->addAction(
        style()->standardIcon(QStyle::SP_LineEditClearButton, nullptr, m_searchBox), QLineEdit::TrailingPosition);
    clear->setObjectName(QStringLiteral("clearSearch"));
    clear->setVisible(false);
    connect(clear, &QAction::triggered, m_searchBox, &QLineEdit::clear);
    connect(m_searchBox, &QLineEdit::textChanged, clear,
        [clear](const QString& text) { clear->setVisible(!text.isEmpty()); });
    m_searchBox->installEventFilter(this);
    m_status->setWordWrap(true);
    m_status->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_searchBox);
    layout->addWidget(m_status);
    setFocusProxy(m_tree);

    m_searchTimer->setSingleShot(true);
    m_searchTimer->setInterval(kSearchDelayMilliseconds);
    connect(m_searchTimer, &QTimer::timeout, this, &HierarchySelectWidget::RunSearch);
    connect(m_searchBox, &QLineEdit::textChanged, this, [this] { m_searchTimer->start(); });
    connect(m_results, &QListWidget::itemClicked, this, &HierarchySelectWidget::PickResult);
    connect(m_results, &QListWidget::itemActivated, this, &HierarchySelectWidget::PickResult);
}

HierarchySelectWidget::~HierarchySelectWidget()
{
    // The view goes with the widget's children, after the model it shows: detach it first.
    m_tree->setModel(nullptr);
}

void HierarchySelectWidget::CreateModel(
    const std::shared_ptr<ICommandDispatcher const>& dispatcher, const FieldName& hierarchy)
{
    ZEL_LOGIC_CHECK(kSource, dispatcher != nullptr);
    ++m_generation;
    m_tree->setModel(nullptr);
    m_model.reset();
    m_root.reset();
    m_rootAnnounced = false;
    m_dispatcher = dispatcher;
    m_hierarchy = hierarchy;
    m_searchTimer->stop();
    m_searchBox->clear();
    m_searchTimer->stop();
    m_results->clear();
    m_status->hide();
    m_pages->setCurrentIndex(kTreePage);

    RefCntPtr<HierarchyRootPresModel const> root;
    if (Refused([&] { root = GetHierarchyRoot(*m_dispatcher, m_hierarchy).Get<Cmds::HierarchyRoot>(); },
            QStringLiteral("the hierarchy ") + hierarchy.GetGlobalName().ToQString()
                + QStringLiteral("; the tree stays empty")))
        return;
    ZEL_LOGIC_CHECK(kSource, root != nullptr);
    m_root = root;
    m_model = std::make_unique<HierarchyMemberModel>(m_dispatcher, m_hierarchy, root);
    m_tree->setModel(m_model.get());
    connect(m_tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
        &HierarchySelectWidget::MemberSelectionChanged);
    QMetaObject::invokeMethod(
        this, [this, generation = m_generation] { AnnounceRoot(generation); }, Qt::QueuedConnection);
}

void HierarchySelectWidget::AnnounceRoot(unsigned int generation)
{
    if (generation != m_generation || !m_model)
        return;
    m_rootAnnounced = true;
    if (m_selectingCurrent && m_root->GetDefaultMember())
        SelectUniqueName(m_root->GetDefaultMember()->GetUniqueName());
    emit RootLoaded();
}

void HierarchySelectWidget::SetRadioMode(bool radio)
{
    m_radioMode = radio;
    const QItemSelectionModel* selection = m_tree->selectionModel();
    const QModelIndex keep = radio && selection ? SelectedIndex() : QModelIndex();
    m_tree->setSelectionMode(radio ? QAbstractItemView::SingleSelection : QAbstractItemView::MultiSelection);
    if (keep.isValid())
        m_tree->selectionModel()->select(keep, QItemSelectionModel::ClearAndSelect);
    SetCheckMarkVisible(m_checkMarkVisible);
}

void HierarchySelectWidget::SetCheckMarkVisible(bool visible)
{
    m_checkMarkVisible = visible;
    m_delegate->SetMark(!visible ? MemberItemDelegate::Mark::None
            : m_radioMode        ? MemberItemDelegate::Mark::RadioButton
                                 : MemberItemDelegate::Mark::CheckBox);
    m_tree->viewport()->update();
}

void HierarchySelectWidget::SetSelectingCurrent(bool selectCurrent)
{
    m_selectingCurrent = selectCurrent;
    // Already announced: the moment to select has passed, so it is now.
    if (selectCurrent && m_rootAnnounced && m_root && m_root->GetDefaultMember())
        SelectUniqueName(m_root->GetDefaultMember()->GetUniqueName());
}

QModelIndex HierarchySelectWidget::SelectedIndex() const
{
    const QItemSelectionModel* selection = m_tree->selectionModel();
    if (!m_model || !selection)
        return {};
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isSelected(current))
        return current;
    const QModelIndexList selected = selection->selectedIndexes();
    return selected.isEmpty() ? QModelIndex() : selected.front();
}

bool HierarchySelectWidget::HasSelectedMember() const
{
    return SelectedIndex().isValid();
}

DataValue HierarchySelectWidget::GetSelectedDataValue(int* level) const
{
    const QModelIndex index = SelectedIndex();
    if (!index.isValid()) {
        if (level)
            *level = -1;
        return DataValue();
    }
    const RefCntPtr<CubeMemberPresModel const> member = m_model->MemberAt(index);
    if (level)
        *level = member->GetLevel();
    return member->GetMember();
}

RefCntPtr<Tuple> HierarchySelectWidget::GetSelectedMember() const
{
    const QModelIndex index = SelectedIndex();
    if (!index.isValid())
        return {};
    const RefCntPtr<CubeMemberPresModel const> member = m_model->MemberAt(index);
    auto tuple = MakeRefCnt<Tuple>();
    tuple->SetHierarchy(m_hierarchy);
    tuple->SetUniqueName(member->GetUniqueName());
    tuple->SetMember(member->GetMember());
    tuple->SetLevel(member->GetLevel());
    return tuple;
}

bool HierarchySelectWidget::SetSelectedMember(const RefCntPtr<Tuple>& member)
{
    if (!member) {
        ClearSelection();
        return true;
    }
    return SelectUniqueName(member->GetUniqueName());
}

bool HierarchySelectWidget::SelectUniqueName(const TString& uniqueName)
{
    if (!m_model)
        return false;
    std::vector<RefCntPtr<CubeMemberPresModel const>> path;
    if (Refused([&] { path = GetMemberPath(*m_dispatcher, m_hierarchy, uniqueName).Get<Cmds::MemberPath>(); },
            QStringLiteral("to find the member ") + uniqueName.ToQString()))
        return false;
    const QModelIndex index = m_model->IndexOfPath(path);
    m_tree->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    return true;
}

void HierarchySelectWidget::ClearSelection()
{
    if (QItemSelectionModel* selection = m_tree->selectionModel())
        selection->clearSelection();
}

void HierarchySelectWidget::ExpandTree(int what, int firstLevel, int lastLevel)
{
    if (!m_model)
        return;
    if (what == -2) {
        const QModelIndex selected = SelectedIndex();
        if (selected.isValid())
            m_tree->scrollTo(selected, QAbstractItemView::PositionAtCenter);
        return;
    }
    if (what == -1)
        m_tree->expandAsShown(firstLevel, lastLevel);
    else if (what > firstLevel)
        m_tree->expandAsShown(firstLevel, what - 1);
}

void HierarchySelectWidget::Search(const QString& text)
{
    if (m_searchBox->text() != text)
        m_searchBox->setText(text);
    m_searchTimer->stop();
    RunSearch();
}

void HierarchySelectWidget::RunSearch()
{
    m_searchTimer->stop();
    const QString text = m_searchBox->text().trimmed();
    m_results->clear();
    if (text.isEmpty() || !m_model) {
        m_status->hide();
        m_pages->setCurrentIndex(kTreePage);
        return;
    }
    m_pages->setCurrentIndex(kResultsPage);
    m_status->show();
    RefCntPtr<MemberSearchResultPresModel const> found;
    if (Refused(
            [&] {
                found
                    = SearchMembers(*m_dispatcher, m_hierarchy, TString(text), kSearchLimit).Get<Cmds::SearchResult>();
            },
            QStringLiteral("the search for \"") + text + QLatin1Char('"'))) {
        m_status->setText(LookupTStr(Zel::Strings::MemberSearchFailed).ToQString());
        return;
    }
    ZEL_LOGIC_CHECK(kSource, found != nullptr);
    const std::vector<RefCntPtr<CubeMemberPresModel const>>& members = found->GetMembers();
    ZEL_LOGIC_CHECK(kSource, members.size() <= kSearchLimit);
    for (const RefCntPtr<CubeMemberPresModel const>& member : members) {
        ZEL_LOGIC_CHECK(kSource, member != nullptr);
        // Members of different levels may share a name (a state and its city); the level tells them
        // apart, the unique name in the tooltip tells the rest.
        QString text = member->GetCaption().ToQString();
        const std::vector<TString>& levels = m_root->GetLevels();
        if (member->GetLevel() >= 0 && member->GetLevel() < static_cast<int>(levels.size()))
            text += QStringLiteral(" (") + levels[static_cast<std::size_t>(member->GetLevel())].ToQString()
                + QLatin1Char(')');
        auto* item = new QListWidgetItem(text, m_results);
        item->setToolTip(member->GetUniqueName().ToQString());
        item->setData(HierarchyMemberModel::UniqueNameRole, member->GetUniqueName().ToQString());
    }
    if (found->GetIsTruncated())
        m_status->setText(LookupTFmtStr(Zel::Strings::MemberSearchCut)
                              .arg(TString::number(static_cast<long long>(kSearchLimit)))
                              .ToTString()
                              .ToQString());
    else if (members.empty())
        m_status->setText(LookupTFmtStr(Zel::Strings::MemberSearchNone).arg(TString(text)).ToTString().ToQString());
    else if (members.size() == 1)
        m_status->setText(LookupTStr(Zel::Strings::MemberSearchOneMatch).ToQString());
    else
        m_status->setText(LookupTFmtStr(Zel::Strings::MemberSearchMatches)
                              .arg(TString::number(static_cast<long long>(members.size())))
                              .ToTString()
                              .ToQString());
}

void HierarchySelectWidget::PickResult(QListWidgetItem* item)
{
    if (item)
        SelectUniqueName(TString(item->data(HierarchyMemberModel::UniqueNameRole).toString()));
}

bool HierarchySelectWidget::eventFilter(QObject* watched, QEvent* event)
{
    // Return in the search box searches; it must not reach a dialog's default button.
    if (watched == m_searchBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunSearch();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
