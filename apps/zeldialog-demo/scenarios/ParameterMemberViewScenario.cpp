// The list of allowable values of a parameter: values with aliases edited in place, a value typed
// into the last row, an alias that repeats another one (the warning on the alias column and its
// balloon), rows moved and deleted, and the current value picked from its searchable list, all
// against the simulated host's list edit.

#include "../DemoEnvironment.h"
#include "../DemoScenario.h"

#include "host/doc/DataValue.h"
#include "host/doc/StringIds.h"
#include "host/doc/StringTable.h"
#include "host/ui/SearchableComboBox.h"
#include "host/ui/TextBalloonTipWidget.h"
#include "host/ui/UnificationStyleApplicator.h"
#include "host/ui/ZelvarGreenUnificationButton.h"
#include "main/models/ParameterMemberModel.h"
#include "main/models/ValueComboProxyModel.h"
#include "widgets/ParameterMemberView.h"
#include "widgets/ZelvarComboBoxEnum.h"

#include <QtCore/QCoreApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

namespace {

using Zel::Sim::ListValue;

// The part of a parameter dialog around the list: the data type, the current value and the list of
// values, over one list edit of the simulated host, which it closes when it goes.
class ListOfValuesDialog : public QDialog
{
public:
    ListOfValuesDialog(DemoEnvironment& environment, QWidget* parent)
        : QDialog(parent)
        , m_lists(environment.ParameterLists())
    {
        setWindowTitle(QObject::tr("Region: List of Values"));
        m_editId = m_lists.OpenListEdit(DT_STRING,
            {
                ListValue {DataValue(TString(L"East")), TString(L"Eastern Region")},
                ListValue {DataValue(TString(L"West")), TString(L"Western Region")},
                ListValue {DataValue(TString(L"North")), TString()},
                ListValue {DataValue(TString(L"South")), TString(L"Southern Region")},
            },
            1);

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(18, 18, 18, 18);
        layout->setSpacing(12);
        auto* properties = new QGridLayout;
        properties->setHorizontalSpacing(12);
        properties->setVerticalSpacing(8);
        auto* type = new ZelvarComboBoxEnum<DataType>(this);
        type->SetAllValues();
        type->removeItem(type->findText(
            LookupTStr(Zel::Strings::DataTypeUnknown).ToQString(), Qt::MatchExactly | Qt::MatchCaseSensitive));
        type->setCurrentIndex(type->findData(QVariant(int(DT_STRING)), Qt::UserRole));
        properties->addWidget(new QLabel(QObject::tr("Data type:"), this), 0, 0);
        properties->addWidget(type, 0, 1);
        m_value = new SearchableComboBox(this);
        m_value->setProperty("editableDisplayStyle", true);
        m_value->setMaximumWidth(300);
        properties->addWidget(new QLabel(QObject::tr("Current value:"), this), 1, 0);
        properties->addWidget(m_value, 1, 1);
        properties->setColumnStretch(1, 1);
        layout->addLayout(properties);

        auto* section = new QGroupBox(QObject::tr("List of values"), this);
        auto* sectionLayout = new QVBoxLayout(section);
        m_view = new ParameterMemberView(section);
        m_view->Initialize(environment.Host(), m_editId);
        sectionLayout->addWidget(m_view);
        layout->addWidget(section, 1);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch(1);
        auto* close = new ZelvarGreenUnificationButton(QObject::tr("Close"), this);
        QObject::connect(close, &QPushButton::clicked, this, &QDialog::accept);
        buttons->addWidget(close);
        layout->addLayout(buttons);

        // As the parameter dialog ties them: the current-value list over the members, then the list.
        auto* proxy = new ValueComboProxyModel(m_value);
        proxy->setSourceModel(Model());
        m_value->setModel(proxy, false);
        const auto list = m_lists.GetListDomain(m_editId);
        Model()->SetListDomain(list->GetMembers());
        Model()->SetCurrentIndex(list->GetValueIndex());
        Model()->SetHasDuplicates(list->GetHasDuplicates());

        UnificationStyleApplicator().Apply(*this);
        resize(480, 440);
    }
    ~ListOfValuesDialog() override { m_lists.CloseEdit(m_editId); }

    ParameterMemberModel* Model() const { return m_view->GetModel(); }
    ParameterMemberView& View() const { return *m_view; }
    SearchableComboBox& ValueCombo() const { return *m_value; }

    // What a user's typing does: the editor opens on the first key, Return commits.
    void TypeNewValue(const QString& text, TourRecorder* tour, const QString& title)
    {
        m_view->setFocus();
        m_view->setCurrentIndex(Model()->index(Model()->GetAddNewItemRow(), 0));
        Type(text);
        if (tour)
            tour->Step(title, *this);
        Commit();
    }

    void EditCell(int row, int column, const QString& text)
    {
        m_view->setFocus();
        m_view->setCurrentIndex(Model()->index(row, column));
        SendKey(m_view, Qt::Key_F2, QString());
        if (QLineEdit* editor = Editor())
            editor->clear();
        Type(text);
        Commit();
    }

    void SelectRow(int row)
    {
        const QModelIndex index = Model()->index(row, 0);
        m_view->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        SendKey(m_view, key, QString(), modifiers);
    }

    void HoverHeader(int section)
    {
        QHeaderView* header = m_view->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(section) + 24, header->height() / 2);
        QHoverEvent hover(QEvent::HoverMove, at, at);
        QApplication::sendEvent(header, &hover);
    }

private:
    static void SendKey(QWidget* to, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(to, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(to, &release);
    }

    QLineEdit* Editor() const
    {
        for (QLineEdit* edit : m_view->viewport()->findChildren<QLineEdit*>())
            if (edit->isVisible())
                return edit;
        return nullptr;
    }

    void Type(const QString& text)
    {
        for (const QChar c : text) {
            QWidget* target = Editor() ? static_cast<QWidget*>(Editor()) : m_view;
            SendKey(target, c.toUpper().unicode(), QString(c));
        }
    }

    void Commit()
    {
        if (QLineEdit* editor = Editor())
            SendKey(editor, Qt::Key_Return, QStringLiteral("\r"));
        // The editor hands its text over from the event loop.
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    Zel::Sim::ParameterListArea& m_lists;
    unsigned int m_editId = 0;
    SearchableComboBox* m_value = nullptr;
    ParameterMemberView* m_view = nullptr;
};

// Offscreen every window is a picture of its own: the balloon and the open list are laid over the
// dialog by hand, as a screen shows them.
void StepWithFloating(TourRecorder& tour, const QString& title, QWidget& window, QWidget& floating)
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    const QPoint origin = window.mapToGlobal(QPoint(0, 0));
    const QRect area = QRect(origin, window.size()).united(QRect(floating.mapToGlobal(QPoint(0, 0)), floating.size()));
    const qreal ratio = window.devicePixelRatioF();
    QPixmap picture(area.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(window.palette().color(QPalette::Window));
    {
        QPainter painter(&picture);
        painter.drawPixmap(origin - area.topLeft(), window.grab());
        painter.drawPixmap(floating.mapToGlobal(QPoint(0, 0)) - area.topLeft(), floating.grab());
    }
    QLabel shot;
    shot.setPixmap(picture);
    shot.setWindowTitle(window.windowTitle());
    // A window that sizes itself stops at two thirds of the screen.
    shot.setFixedSize(area.size());
    tour.Step(title, shot);
}

void RunTour(DemoEnvironment& environment, TourRecorder& tour)
{
    ListOfValuesDialog dialog(environment, nullptr);
    dialog.move(60, 60);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    tour.Step(QStringLiteral("Values with aliases; the current value above"), dialog);

    dialog.TypeNewValue(QStringLiteral("Central"), &tour, QStringLiteral("Typing a new value into the last row"));
    tour.Step(QStringLiteral("The host added it; the last row waits for the next value"), dialog);

    // North is shown as "Eastern Region", which East shows already.
    dialog.EditCell(2, ParameterMemberModel::SubitemAlias, QStringLiteral("Eastern Region"));
    dialog.HoverHeader(ParameterMemberModel::SubitemAlias);
    StepWithFloating(tour, QStringLiteral("A repeated alias: warning on the alias column and its balloon"), dialog,
        *dialog.View().GetBalloonTip());
    dialog.HoverHeader(ParameterMemberModel::SubitemValue);

    dialog.EditCell(2, ParameterMemberModel::SubitemAlias, QStringLiteral("Northern Region"));
    // Central to the top, then South deleted.
    dialog.SelectRow(4);
    for (int i = 0; i < 4; ++i)
        dialog.PressKey(Qt::Key_Up, Qt::ControlModifier);
    dialog.SelectRow(4);
    dialog.PressKey(Qt::Key_Delete);
    tour.Step(QStringLiteral("Alias made unique, Central moved to the top, South deleted"), dialog);

    // The current value is picked from the list by typing part of it.
    SearchableComboBox& value = dialog.ValueCombo();
    value.setFocus();
    QKeyEvent type(QEvent::KeyPress, Qt::Key_N, Qt::NoModifier, QStringLiteral("n"));
    QApplication::sendEvent(&value, &type);
    StepWithFloating(tour, QStringLiteral("Searching the current value"), dialog, *value.view()->window());
    if (QLineEdit* search = value.GetSearchField()) {
        search->setText(QStringLiteral("cent"));
        QKeyEvent pick(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QApplication::sendEvent(search, &pick);
    }
    value.hidePopup();
    tour.Step(QStringLiteral("Central picked as the current value"), dialog);
    dialog.accept();
}

} // namespace

DemoScenario ParameterMemberViewScenario()
{
    return DemoScenario {QStringLiteral("ParameterMemberView"), QStringLiteral("Parameter list of values"), RunTour,
        [](DemoEnvironment& environment, QWidget* parent) {
            ListOfValuesDialog dialog(environment, parent);
            dialog.exec();
        }};
}
