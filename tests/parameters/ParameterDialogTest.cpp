#include "ParameterTestSupport.h"
#include "host/doc/StringIds.h"
#include "tests/support/ModalScript.h"
#include "tests/support/RecordingDispatcher.h"
#include "tests/support/TestHelpers.h"
#include "tests/support/ZelTestCase.h"

#include "host/doc/DataValue.h"
#include "host/doc/DatePeriodType.h"

#include "apps/drivers/ParameterDialogDriver.h"
#include "gen-command-wrappers/ParameterCommandWrappers.h"
#include "host/doc/StringTable.h"
#include "host/ui/DataValueWidget.h"
#include "host/ui/MenuButton.h"
#include "host/ui/RichEditWidget.h"
#include "host/ui/SearchableComboBox.h"
#include "host/ui/UberFormatWidget.h"
#include "host/ui/ZelvarLineEdit.h"
#include "main/dialogs/ParameterDialog.h"
#include "main/models/ParameterMemberModel.h"
#include "widgets/UberFormatPickerCtrl.h"
#include "widgets/ZelvarComboBoxEnum.h"

#include <QtGui/QClipboard>
#include <QtTest/QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLayout>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QSpinBox>
#include <QtWidgets/QStackedWidget>

#include <memory>

using namespace ZelTest;
using namespace ParameterTest;
namespace Cmds = Zel::Commands::Parameter;
using ParameterTypes::DomainType;

namespace {

constexpr unsigned int kEditId = 77;
const TString kSource(L"Orders");

FieldName Field(const QString& name)
{
    return FieldName(kSource, TString(name));
}

// The edit a host hands over when it opens one. A list or a range record is made only when the
// domain needs it; a boolean gets the two options.
struct Edit
{
    Edit& Typed(DataType t, DataValue v)
    {
        type = t;
        value = std::move(v);
        return *this;
    }
    Edit& In(DomainType d, QStringList values = {})
    {
        domain = d;
        list = std::move(values);
        return *this;
    }

    DataType type = DT_INTEGER;
    DomainType domain = ParameterTypes::Domain_Any;
    DataValue value = DataValue(5);
    QStringList list;
    unsigned int valueIndex = 0;
    bool withRange = true;
    bool restrict = false;
    DatePeriodType period = DPT_DAYS;
    std::vector<std::pair<QString, QStringList>> sources;
    QStringList parameters;

    RefCntPtr<ParameterRangeDomainPresModel const> Range() const
    {
        auto range = MakeRefCnt<ParameterRangeDomainPresModel>();
        range->SetDomainMin(value);
        range->SetDomainMax(value);
        range->SetIncrement(DataValue(1));
        range->SetDateIncrementPeriod(period);
        return range;
    }

    RefCntPtr<ProductParameterInfoPresModel const> Parameter() const
    {
        auto parameter = MakeRefCnt<ProductParameterInfoPresModel>();
        parameter->SetName(FieldName(TString(L"Parameters"), TString(L"Parameter 1")));
        parameter->SetCaption(TString(L"Parameter 1"));
        parameter->SetDataType(type);
        parameter->SetDomainType(domain);
        parameter->SetValue(value);
        parameter->SetFormattedValue(value.ToDisplayString());
        if (withRange)
            parameter->SetRangeDomain(Range());
        auto listDomain = MakeRefCnt<ParameterListDomainPresModel>();
        listDomain->SetMembers(Members(type == DT_BOOLEAN && list.isEmpty() ? QStringList {"True", "False"} : list));
        listDomain->SetValueIndex(valueIndex);
        parameter->SetListDomain(std::move(listDomain));
        return parameter;
    }

    RefCntPtr<ParameterEditInfoPresModel const> Build() const
    {
        auto info = MakeRefCnt<ParameterEditInfoPresModel>();
        info->SetTitle(TString(L"Create Parameter"));
        info->SetParameterName(TString(L"Parameter 1"));
        info->SetShouldRestrictDataType(restrict);
        std::vector<RefCntPtr<CaptionedDatasourceInfoPresModel const>> infos;
        for (const auto& [caption, fields] : sources) {
            auto source = MakeRefCnt<CaptionedDatasourceInfoPresModel>();
            source->SetCaption(TString(caption));
            std::vector<RefCntPtr<FieldCaptionPairPresModel const>> pairs;
            for (const QString& field : fields)
                pairs.push_back(Pair(Field(field), field));
            source->SetCaptionedFields(std::move(pairs));
            infos.push_back(std::move(source));
        }
        info->SetCompatibleFields(std::move(infos));
        std::vector<RefCntPtr<FieldCaptionPairPresModel const>> pairs;
        for (const QString& name : parameters)
            pairs.push_back(Pair(FieldName(TString(L"Parameters"), TString(name)), name));
        info->SetCompatibleParameters(std::move(pairs));
        info->SetParameter(Parameter());
        return info;
    }

    static RefCntPtr<FieldCaptionPairPresModel const> Pair(const FieldName& name, const QString& caption)
    {
        auto pair = MakeRefCnt<FieldCaptionPairPresModel>();
        pair->SetFieldName(name);
        pair->SetFieldCaption(TString(caption));
        return pair;
    }
};

class TestDialog : public ParameterDialog
{
public:
    using ParameterDialog::EnsureChangesCommitted;
    using ParameterDialog::FormatPopup;
    using ParameterDialog::GetBooleanMember;
    using ParameterDialog::GetParameter;
    using ParameterDialog::OnBooleanValueChange;
    using ParameterDialog::OnClear;
    using ParameterDialog::OnDataTypeChange;
    using ParameterDialog::ParameterDialog;
    using ParameterDialog::SetEditInfoModel;
    using ParameterDialog::UpdateControlsFromData;
};

struct DialogFixture
{
    explicit DialogFixture(const Edit& edit, std::unique_ptr<ComponentCleanup> cleanup = {})
        : dialog(std::make_unique<TestDialog>(dispatcher, edit.Build(), std::move(cleanup), kEditId))
    {
    }

    Zel::Drivers::ParameterDialogDriver d() const { return Zel::Drivers::ParameterDialogDriver(*dialog); }
    // A control of the dialog by its object name.
    template <typename T>
    T* w(const char* name) const
    {
        return &d().Get<T>(name);
    }

    // What the host answers to a change of data type or domain: the same edit, changed.
    void AnswerEdit(const Edit& edit, bool dataType)
    {
        if (dataType)
            dispatcher.Answer<Cmds::SetParameterDataType>().Set<Cmds::EditInfo>(edit.Build());
        else
            dispatcher.Answer<Cmds::SetParameterDomainType>().Set<Cmds::EditInfo>(edit.Build());
    }

    void PickType(DataType type) const { d().PickType(type); }

    RecordingDispatcher dispatcher;
    std::unique_ptr<TestDialog> dialog;
};

} // namespace

class ParameterDialogTest : public ZelTestCase
{
    Q_OBJECT

private slots:
    void formCarriesItsNamesTextsAndIds()
    {
        DialogFixture f(Edit {});
        TestDialog& d = *f.dialog;
        QCOMPARE(d.objectName(), QStringLiteral("ParameterDialog"));
        QCOMPARE(d.windowTitle(), QStringLiteral("Create Parameter"));
        QCOMPARE(d.findChild<QLayout*>(QStringLiteral("verticalLayout_2"))->sizeConstraint(), QLayout::SetFixedSize);
        QVERIFY(d.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);

        // The type that no parameter can take is not offered.
        QVERIFY(!ItemTexts(*f.w<ZelvarComboBoxEnum<DataType>>("m_ctrlType"))
                     .contains(LookupTStr(Zel::Strings::DataTypeUnknown).ToQString()));
        QVERIFY(f.w<ZelvarComboBoxEnum<DataType>>("m_ctrlType")->findData(QVariant(int(DT_BOOLEAN))) >= 0);
        QCOMPARE(f.w<QSpinBox>("m_ctrlDateStepSpin")->minimum(), 1);
        QCOMPARE(f.w<QSpinBox>("m_ctrlDateStepSpin")->maximum(), 100);
        QCOMPARE(f.w<QButtonGroup>("m_domainTypeBtnGroup")->id(f.w<QRadioButton>("m_ctrlDomainRange")), 2);
        QCOMPARE(f.w<QButtonGroup>("m_booleanValueBtnGroup")->id(f.w<QRadioButton>("m_ctrlValueFalseBtn")), 1);
        QCOMPARE(f.w<SearchableComboBox>("m_ctrlValueCombo")->textElideMode(), Qt::ElideRight);
        QCOMPARE(f.w<ZelvarLineEdit>("m_ctrlCaption")->selectedText(), QStringLiteral("Parameter 1"));
        // Building the dialog sends nothing: every refresh is programmatic.
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));
    }

    void layoutFollowsDataTypeAndDomain_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("domain");
        QTest::addColumn<bool>("format");
        QTest::addColumn<bool>("anyAndList");
        QTest::addColumn<bool>("range");
        QTest::addColumn<QString>("section");
        QTest::addColumn<int>("valuePage");
        QTest::addColumn<int>("stepPage");

        QTest::newRow("boolean") << int(DT_BOOLEAN) << 1 << false << false << false << "m_sectionDombool" << 2 << -1;
        QTest::newRow("string any") << int(DT_STRING) << 0 << false << true << false << "" << 0 << -1;
        QTest::newRow("string list") << int(DT_STRING) << 1 << false << true << false << "m_sectionDomlist" << 1 << -1;
        QTest::newRow("integer any") << int(DT_INTEGER) << 0 << true << true << true << "" << 0 << -1;
        QTest::newRow("real list") << int(DT_REAL) << 1 << true << true << true << "m_sectionDomlist" << 1 << -1;
        QTest::newRow("real range") << int(DT_REAL) << 2 << true << true << true << "m_sectionDomrange" << 0 << 0;
        QTest::newRow("date range") << int(DT_DATE) << 2 << true << true << true << "m_sectionDomrange" << 0 << 1;
        QTest::newRow("datetime range") << int(DT_DATETIME) << 2 << true << true << true << "m_sectionDomrange" << 0
                                        << 1;
    }

    void layoutFollowsDataTypeAndDomain()
    {
        QFETCH(int, type);
        QFETCH(int, domain);
        QFETCH(bool, format);
        QFETCH(bool, anyAndList);
        QFETCH(bool, range);
        QFETCH(QString, section);
        QFETCH(int, valuePage);
        QFETCH(int, stepPage);

        const DataValue value = type == DT_DATE ? DataValue(QDate(2024, 3, 1))
            : type == DT_DATETIME               ? DataValue(QDateTime(QDate(2024, 3, 1), QTime(9, 0)))
            : type == DT_STRING                 ? DataValue(TString(L"East"))
            : type == DT_BOOLEAN                ? DataValue(true)
                                                : DataValue(5);
        DialogFixture f(Edit()
                            .Typed(DataType(type), value)
                            .In(DomainType(domain),
                                domain == 1 && type != DT_BOOLEAN ? QStringList {"East", "West"} : QStringList()));
        f.dialog->show();

        QCOMPARE(f.w<UberFormatPickerCtrl>("m_ctrlFormat")->isEnabled(), format);
        QCOMPARE(f.w<QLabel>("m_ctrlFormatLabel")->isEnabled(), format);
        QCOMPARE(f.w<QRadioButton>("m_ctrlDomainAny")->isEnabled(), anyAndList);
        QCOMPARE(f.w<QRadioButton>("m_ctrlDomainList")->isEnabled(), anyAndList);
        QCOMPARE(f.w<QLabel>("m_ctrlDomainLabel")->isEnabled(), anyAndList);
        QCOMPARE(f.w<QRadioButton>("m_ctrlDomainRange")->isEnabled(), range);
        QCOMPARE(f.w<ZelvarComboBoxEnum<DataType>>("m_ctrlType")->GetValue(), DataType(type));

        QAbstractButton* checked = f.w<QButtonGroup>("m_domainTypeBtnGroup")->checkedButton();
        if (type == DT_BOOLEAN)
            QVERIFY(!checked);
        else
            QCOMPARE(f.w<QButtonGroup>("m_domainTypeBtnGroup")->id(checked), domain);

        for (QGroupBox* box : {f.w<QGroupBox>("m_sectionDombool"), f.w<QGroupBox>("m_sectionDomlist"),
                 f.w<QGroupBox>("m_sectionDomrange")})
            QCOMPARE(box->isVisible(), box->objectName() == section);
        QCOMPARE(f.w<QStackedWidget>("stackedWidgetValue")->currentIndex(), valuePage);
        if (stepPage >= 0)
            QCOMPARE(f.w<QStackedWidget>("stackedWidgetStep")->currentIndex(), stepPage);
        QVERIFY(f.w<QStackedWidget>("stackedWidgetValue")
                    ->currentWidget()
                    ->isAncestorOf(f.w<QLabel>("m_ctrlValueLabel")->buddy()));
        QCOMPARE(f.w<QLabel>("m_ctrlValueLabel")->isEnabled(), true);
        f.dialog->hide();
    }

    void restrictedDataTypeStaysDisabled()
    {
        Edit edit;
        edit.restrict = true;
        DialogFixture f(edit);
        QVERIFY(!f.w<ZelvarComboBoxEnum<DataType>>("m_ctrlType")->isEnabled());
        QVERIFY(!f.w<QLabel>("m_ctrlTypeLabel")->isEnabled());

        // A refresh after a domain change leaves them disabled.
        f.AnswerEdit(Edit(edit).In(ParameterTypes::Domain_List), false);
        f.w<QRadioButton>("m_ctrlDomainList")->click();
        QVERIFY(!f.w<ZelvarComboBoxEnum<DataType>>("m_ctrlType")->isEnabled());
        // An empty list disables the current value with its label and the clear button.
        QVERIFY(!f.w<QLabel>("m_ctrlValueLabel")->isEnabled());
        QVERIFY(!f.w<SearchableComboBox>("m_ctrlValueCombo")->isEnabled());
        QVERIFY(!f.w<QPushButton>("m_ctrlClearBtn")->isEnabled());
    }

    void commentToggleAndDisplayInfoPerKeystroke()
    {
        DialogFixture f(Edit {});
        QCOMPARE(f.w<QPushButton>("m_ctrlDescnBtn")->text(), QStringLiteral("&Comment >>"));
        QVERIFY(f.w<QGroupBox>("m_sectionDescn")->isHidden());
        f.w<QPushButton>("m_ctrlDescnBtn")->click();
        QVERIFY(!f.w<QGroupBox>("m_sectionDescn")->isHidden());
        QCOMPARE(f.w<QPushButton>("m_ctrlDescnBtn")->text(), QStringLiteral("<< &Comment"));
        f.w<QPushButton>("m_ctrlDescnBtn")->click();
        QVERIFY(f.w<QGroupBox>("m_sectionDescn")->isHidden());
        QCOMPARE(f.w<QPushButton>("m_ctrlDescnBtn")->text(), QStringLiteral("&Comment >>"));

        auto* comment = f.dialog->findChild<RichEditWidget*>();
        comment->SetFormattedText(FormattedText::FromPlainText(TString(L"Shown on the dashboard")));
        f.w<ZelvarLineEdit>("m_ctrlCaption")->clear();
        QTest::keyClicks(f.w<ZelvarLineEdit>("m_ctrlCaption"), QStringLiteral("Top"));
        QCOMPARE(f.dispatcher.Count<Cmds::SetParameterDisplayInfo>(), std::size_t(3));
        const RecordedCommand& last = f.dispatcher.Last<Cmds::SetParameterDisplayInfo>();
        QCOMPARE(last.Get<Cmds::Caption>(), TString(L"Top"));
        QCOMPARE(last.Get<Cmds::EditId>(), kEditId);
        QCOMPARE(last.Get<Cmds::Comment>().GetPlainText(), TString(L"Shown on the dashboard"));
        QCOMPARE(f.dispatcher.Commands().front().Get<Cmds::Caption>(), TString(L"T"));
    }

    void dataTypeChangeSendsOnlyForANewType()
    {
        DialogFixture f(Edit {});
        f.PickType(DT_INTEGER);
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));

        f.AnswerEdit(Edit().Typed(DT_STRING, DataValue(TString(L"5"))), true);
        f.PickType(DT_STRING);
        QCOMPARE(f.dispatcher.Count<Cmds::SetParameterDataType>(), std::size_t(1));
        QCOMPARE(f.dispatcher.Last<Cmds::SetParameterDataType>().Get<Cmds::NewDataType>(), DT_STRING);
        // Everything follows the answer: no format and no range for text.
        QCOMPARE(f.dialog->GetParameter()->GetDataType(), DT_STRING);
        QVERIFY(!f.w<UberFormatPickerCtrl>("m_ctrlFormat")->isEnabled());
        QVERIFY(!f.w<QRadioButton>("m_ctrlDomainRange")->isEnabled());
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(1));
    }

    void domainChangeFlushesTheValueFirst()
    {
        DialogFixture f(Edit {});
        f.w<QRadioButton>("m_ctrlDomainAny")->click();
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));

        // A value typed but not yet sent goes before the domain change.
        f.w<DataValueWidget>("m_ctrlValueEdit")->SetValue(DataValue(9), false);
        f.dispatcher.Answer<Cmds::SetParameterValue>()
            .Set<Cmds::AcceptedValue>(DataValue(9))
            .Set<Cmds::FormattedValue>(TString(L"9"));
        f.AnswerEdit(Edit().Typed(DT_INTEGER, DataValue(9)).In(ParameterTypes::Domain_Range), false);
        f.w<QRadioButton>("m_ctrlDomainRange")->click();
        QCOMPARE(f.dispatcher.CommandIds(),
            (std::vector<int> {Cmds::SetParameterValue::id, Cmds::SetParameterDomainType::id}));
        QCOMPARE(
            f.dispatcher.Last<Cmds::SetParameterDomainType>().Get<Cmds::NewDomainType>(), ParameterTypes::Domain_Range);
        QVERIFY(!f.w<QGroupBox>("m_sectionDomrange")->isHidden());
    }

    void valueAndFormatChanges()
    {
        DialogFixture f(Edit().Typed(DT_REAL, DataValue(5)).In(ParameterTypes::Domain_List, {"1", "2"}));
        UberFormatWidget& popup = f.dialog->FormatPopup();

        // The host answers a format with the list shown through it.
        auto list = MakeRefCnt<ParameterListDomainPresModel>();
        list->SetMembers(Members(QStringList {"$1.00", "$2.00", "$3.00"}));
        list->SetValueIndex(2);
        f.dispatcher.Answer<Cmds::SetParameterFormat>()
            .Set<Cmds::FormattedValue>(TString(L"$3.00"))
            .Set<Cmds::ListDomain>(list);
        popup.SetTextFormat(TString(L"c2"));
        emit popup.UberWidgetChanged();
        QCOMPARE(f.dispatcher.Last<Cmds::SetParameterFormat>().Get<Cmds::FormatString>(), TString(L"c2"));
        QCOMPARE(Values(*f.dialog->findChild<ParameterMemberModel*>()), (QStringList {"$1.00", "$2.00", "$3.00"}));
        QCOMPARE(popup.GetSampleText(), TString(L"$3.00"));
        QCOMPARE(f.dialog->GetParameter()->GetFormatString(), TString(L"c2"));

        // Sent every time, even unchanged; a list of another type in the answer is left out.
        f.dispatcher.Answer<Cmds::SetParameterFormat>()
            .Set<Cmds::FormattedValue>(TString(L"$3.00"))
            .SetRaw<int>(Cmds::ListDomain::id, 5);
        emit popup.UberWidgetChanged();
        QCOMPARE(f.dispatcher.Count<Cmds::SetParameterFormat>(), std::size_t(2));
        QCOMPARE(Values(*f.dialog->findChild<ParameterMemberModel*>()).size(), 3);

        // A value change on an "any" domain: sent once, shown as the host took it.
        DialogFixture g(Edit {});
        DataValueWidget* value = g.w<DataValueWidget>("m_ctrlValueEdit");
        emit value->changed();
        QCOMPARE(g.dispatcher.Commands().size(), std::size_t(0));
        value->SetValue(DataValue(500), false);
        g.dispatcher.Answer<Cmds::SetParameterValue>()
            .Set<Cmds::AcceptedValue>(DataValue(100))
            .Set<Cmds::FormattedValue>(TString(L"100.00"));
        emit value->changed();
        QCOMPARE(g.dispatcher.Last<Cmds::SetParameterValue>().Get<Cmds::NewValue>(), DataValue(500));
        QCOMPARE(value->GetValue(), DataValue(100));
        QCOMPARE(g.dialog->GetParameter()->GetFormattedValue(), TString(L"100.00"));
        QCOMPARE(g.dialog->FormatPopup().GetSampleText(), TString(L"100.00"));
    }

    void rangeIsSentWholeAndOnlyWhenDifferent()
    {
        const Edit edit = Edit().In(ParameterTypes::Domain_Range);
        DialogFixture f(edit);
        QVERIFY(!f.w<DataValueWidget>("m_ctrlMin")->isEnabled());

        // Nothing changed: nothing sent, also from a flush.
        emit f.w<DataValueWidget>("m_ctrlMin")->changed();
        f.dialog->EnsureChangesCommitted();
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));

        auto answer = [&](bool hasMin) {
            auto parameter = MakeRefCnt<ProductParameterInfoPresModel>(*edit.Parameter());
            auto range = MakeRefCnt<ParameterRangeDomainPresModel>(*edit.Range());
            range->SetHasUserDefinedMin(hasMin);
            parameter->SetRangeDomain(std::move(range));
            f.dispatcher.Answer<Cmds::SetParameterRangeDomain>().Set<Cmds::ParameterInfo>(std::move(parameter));
        };
        answer(true);
        f.w<QCheckBox>("m_ctrlMinBtn")->click();
        const auto& sent = *f.dispatcher.Last<Cmds::SetParameterRangeDomain>().Get<Cmds::RangeDomain>();
        // A numeric range never fills the period list, so the registry's default (days) goes along.
        QCOMPARE(f.w<ZelvarComboBoxEnum<DatePeriodType>>("m_ctrlDateStepPeriod")->count(), 0);
        QCOMPARE(RangeText(sent), QStringLiteral("*5..5 step 1 days"));
        QVERIFY(f.w<DataValueWidget>("m_ctrlMin")->isEnabled());

        answer(false);
        f.w<QCheckBox>("m_ctrlMinBtn")->click();
        QVERIFY(!f.dispatcher.Last<Cmds::SetParameterRangeDomain>().Get<Cmds::RangeDomain>()->GetHasUserDefinedMin());
        QCOMPARE(f.dispatcher.Count<Cmds::SetParameterRangeDomain>(), std::size_t(2));
        QVERIFY(!f.w<DataValueWidget>("m_ctrlMin")->isEnabled());
    }

    void dateStepCountWaitsForTheFlush()
    {
        Edit edit = Edit().Typed(DT_DATE, DataValue(QDate(2024, 1, 1))).In(ParameterTypes::Domain_Range);
        edit.period = DPT_MONTHS;
        DialogFixture f(edit);
        QCOMPARE(f.w<ZelvarComboBoxEnum<DatePeriodType>>("m_ctrlDateStepPeriod")->GetValue(), DPT_MONTHS);

        f.w<QSpinBox>("m_ctrlDateStepSpin")->setValue(3);
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));

        // OK: the range goes first, then the commit.
        f.dispatcher.Answer<Cmds::SetParameterRangeDomain>().Set<Cmds::ParameterInfo>(edit.Parameter());
        f.dispatcher.Answer<Cmds::CommitParameter>().Set<Cmds::FieldNameParam>(Field(QStringLiteral("Start")));
        f.dialog->accept();
        QCOMPARE(f.dispatcher.CommandIds(),
            (std::vector<int> {Cmds::SetParameterRangeDomain::id, Cmds::CommitParameter::id}));
        QCOMPARE(RangeText(*f.dispatcher.Last<Cmds::SetParameterRangeDomain>().Get<Cmds::RangeDomain>()),
            QStringLiteral("2024-01-01..2024-01-01 step 3 months"));
        QCOMPARE(f.dialog->result(), int(QDialog::Accepted));
    }

    void periodListsByType()
    {
        for (const auto& [type, count] : {std::pair {DT_DATE, 5}, std::pair {DT_DATETIME, 8}}) {
            const DataValue value(
                type == DT_DATE ? DataValue(QDate(2024, 1, 1)) : DataValue(QDateTime(QDate(2024, 1, 1), QTime())));
            DialogFixture f(Edit().Typed(type, value).In(ParameterTypes::Domain_Range));
            QCOMPARE(f.w<ZelvarComboBoxEnum<DatePeriodType>>("m_ctrlDateStepPeriod")->count(), count);
            QCOMPARE(f.w<ZelvarComboBoxEnum<DatePeriodType>>("m_ctrlDateStepPeriod")->GetValue(), DPT_DAYS);
            QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));
        }
    }

    void commitRefusedKeepsTheDialogOpen()
    {
        DialogFixture f(Edit {});
        ModalScript script;
        script.AnswerMessageBox(QMessageBox::Ok);
        f.dispatcher.Answer<Cmds::CommitParameter>()
            .Set<Cmds::RefusalMessage>(TString(L"The parameter name cannot be empty."))
            .Set<Cmds::FieldNameParam>(Field(QStringLiteral("ignored")));
        f.dialog->show();
        QTest::mouseClick(f.w<QDialogButtonBox>("buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
        QCOMPARE(script.MessageBoxes().size(), std::size_t(1));
        const MessageBoxRequest& box = script.MessageBoxes().front();
        QCOMPARE(box.text, QStringLiteral("The parameter name cannot be empty."));
        QCOMPARE(BoxShape(box), QStringLiteral("Warning Ok default NoButton WindowModal"));
        QVERIFY(f.dialog->isVisible());
        QVERIFY(f.dialog->GetCommittedParameterName().IsEmpty());

        // A refusal of another type is no refusal; then a missing name is the host's fault.
        f.dispatcher.Answer<Cmds::CommitParameter>().SetRaw<int>(Cmds::RefusalMessage::id, 1);
        QVERIFY_EXCEPTION_THROWN(f.dialog->accept(), TypeMismatchCommandException);
        QVERIFY(f.dialog->GetCommittedParameterName().IsEmpty());
        f.dialog->hide();
    }

    void commitNamesTheParameterAndCleanupGoesLast()
    {
        for (const bool ok : {true, false}) {
            RecordingDispatcher cleanupHost;
            const auto list = Zel::Commands::MakeCommandList<Cmds::DiscardParameterEdit>(kEditId);
            {
                DialogFixture f(Edit {}, std::make_unique<ComponentCleanup>(cleanupHost, list));
                if (ok) {
                    f.dispatcher.Answer<Cmds::CommitParameter>().Set<Cmds::FieldNameParam>(
                        Field(QStringLiteral("Top N")));
                    f.dialog->accept();
                    QCOMPARE(f.dialog->GetCommittedParameterName(), Field(QStringLiteral("Top N")));
                    // A field that loses focus as the dialog hides sends nothing to the closed edit.
                    f.w<DataValueWidget>("m_ctrlValueEdit")->SetValue(DataValue(8), false);
                    emit f.w<DataValueWidget>("m_ctrlValueEdit")->changed();
                    QCOMPARE(f.dispatcher.Commands().size(), std::size_t(1));
                } else {
                    f.dialog->reject();
                    QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));
                }
                QCOMPARE(cleanupHost.Commands().size(), std::size_t(0));
            }
            // The dialog neither discards nor runs the clean-up itself: it goes with the dialog.
            QCOMPARE(cleanupHost.CommandIds(), std::vector<int> {Cmds::DiscardParameterEdit::id});
        }
    }

    void booleanOptionsAndAliases()
    {
        Edit edit = Edit().Typed(DT_BOOLEAN, DataValue(false)).In(ParameterTypes::Domain_List);
        edit.valueIndex = 1;
        DialogFixture f(edit);
        QVERIFY(f.w<QRadioButton>("m_ctrlValueFalseBtn")->isChecked());
        QCOMPARE(f.w<ZelvarLineEdit>("m_ctrlTrueAliasText")->text(), QString());
        QCOMPARE(f.w<ZelvarLineEdit>("m_ctrlTrueAliasText")->placeholderText(), QStringLiteral("True"));

        // The option already chosen sends nothing; the other one sends its index.
        f.w<QRadioButton>("m_ctrlValueFalseBtn")->click();
        QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));
        f.dispatcher.Answer<Cmds::SetParameterValueIndex>().Set<Cmds::ListIndex>(0u).Set<Cmds::FormattedValue>(
            TString(L"True"));
        f.w<QRadioButton>("m_ctrlValueTrueBtn")->click();
        QCOMPARE(f.dispatcher.Last<Cmds::SetParameterValueIndex>().Get<Cmds::ChosenValueIndex>(), 0);
        QVERIFY(f.w<QRadioButton>("m_ctrlValueTrueBtn")->isChecked());

        // An alias: sent when editing finishes with a new text, applied from the diff.
        f.dispatcher.Answer<Cmds::UpdateListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Update(0, Member(QStringLiteral("True"), QStringLiteral("Yes"))).Build());
        f.w<ZelvarLineEdit>("m_ctrlTrueAliasText")->setText(QStringLiteral("Yes"));
        emit f.w<ZelvarLineEdit>("m_ctrlTrueAliasText")->editingFinished();
        QCOMPARE(SentMember(f.dispatcher.Last<Cmds::UpdateListMember>()), QStringLiteral("0: |Yes"));
        QCOMPARE(f.dispatcher.Last<Cmds::UpdateListMember>().Get<Cmds::IsValueEdited>(), false);
        QCOMPARE(f.dialog->GetBooleanMember(0)->GetAlias(), TString(L"Yes"));

        // The same text again: nothing; cleared: an empty alias, also from the flush of OK.
        emit f.w<ZelvarLineEdit>("m_ctrlTrueAliasText")->editingFinished();
        QCOMPARE(f.dispatcher.Count<Cmds::UpdateListMember>(), std::size_t(1));
        f.w<ZelvarLineEdit>("m_ctrlTrueAliasText")->clear();
        f.dispatcher.Answer<Cmds::UpdateListMember>().Set<Cmds::ListDomainDiff>(
            DiffBuilder().Update(0, Member(QStringLiteral("True"))).Build());
        f.dispatcher.Answer<Cmds::CommitParameter>().Set<Cmds::FieldNameParam>(Field(QStringLiteral("Flag")));
        f.dialog->accept();
        QCOMPARE(SentMember(f.dispatcher.Last<Cmds::UpdateListMember>()), QStringLiteral("0: |"));
        QCOMPARE(f.dispatcher.CommandIds().back(), Cmds::CommitParameter::id);
        QCOMPARE(f.dispatcher.PendingAnswers(), std::size_t(0));
    }

    void fieldAndParameterMenus()
    {
        // No source and no parameter: the buttons are disabled and the slots show nothing.
        {
            const Edit edit = Edit().In(ParameterTypes::Domain_List);
            DialogFixture f(edit);
            ModalScript script;
            QVERIFY(!f.w<MenuButton>("m_ctrlAddFromDimBtn")->isEnabled());
            QVERIFY(!f.w<MenuButton>("m_ctrlAddFromParamBtn")->isEnabled());
            QMetaObject::invokeMethod(f.dialog.get(), "OnSetFromField");
            QMetaObject::invokeMethod(f.dialog.get(), "OnSetFromParam");
            QCOMPARE(script.Menus().size(), std::size_t(0));

            // A source that offers no field: the button is there, the menu is not.
            Edit bare = edit;
            bare.sources = {{"Orders", {}}};
            f.dialog->SetEditInfoModel(bare.Build());
            f.dialog->UpdateControlsFromData();
            QVERIFY(f.w<MenuButton>("m_ctrlAddFromDimBtn")->isEnabled());
            f.w<MenuButton>("m_ctrlAddFromDimBtn")->click();
            QCOMPARE(script.Menus().size(), std::size_t(0));
            QCOMPARE(f.dispatcher.Commands().size(), std::size_t(0));
        }

        Edit edit = Edit().Typed(DT_STRING, DataValue(TString(L"East"))).In(ParameterTypes::Domain_List);
        edit.sources = {{"Orders", {"Region", "State"}}};
        edit.parameters = QStringList {"Top N", "Region Pick"};
        DialogFixture f(edit);
        ModalScript script;

        // One source: the fields straight in the menu.
        const Edit filled = Edit(edit).In(ParameterTypes::Domain_List, {"Central", "East", "South", "West"});
        f.dispatcher.Answer<Cmds::SetDomainFromField>().Set<Cmds::ParameterInfo>(filled.Parameter());
        script.PickMenuItem(QStringLiteral("State"));
        f.w<MenuButton>("m_ctrlAddFromDimBtn")->click();
        QCOMPARE(script.Menus().back().Texts(), (QStringList {"Region", "State"}));
        QCOMPARE(script.Menus().back().globalPosition,
            f.w<MenuButton>("m_ctrlAddFromDimBtn")
                ->mapToGlobal(f.w<MenuButton>("m_ctrlAddFromDimBtn")->rect().topRight()));
        QCOMPARE(
            f.dispatcher.Last<Cmds::SetDomainFromField>().Get<Cmds::FieldNameParam>(), Field(QStringLiteral("State")));
        QCOMPARE(Values(*f.dialog->findChild<ParameterMemberModel*>()).size(), 4);
        QVERIFY(f.w<QPushButton>("m_ctrlClearBtn")->isEnabled());

        // Parameters: one flat menu; dismissed, nothing is sent.
        script.PickMenuItem(QString());
        f.w<MenuButton>("m_ctrlAddFromParamBtn")->click();
        QCOMPARE(script.Menus().back().Texts(), (QStringList {"Top N", "Region Pick"}));
        QCOMPARE(f.dispatcher.Count<Cmds::SetDomainFromField>(), std::size_t(1));
        // A fill answered without a parameter changes nothing.
        f.dispatcher.Answer<Cmds::SetDomainFromField>();
        script.PickMenuItem(QStringLiteral("Region Pick"));
        f.w<MenuButton>("m_ctrlAddFromParamBtn")->click();
        QCOMPARE(f.dispatcher.Last<Cmds::SetDomainFromField>().Get<Cmds::FieldNameParam>().GetLocalName(),
            TString(L"Region Pick"));
        QCOMPARE(Values(*f.dialog->findChild<ParameterMemberModel*>()).size(), 4);

        // Two sources: a submenu each, titled by the source.
        Edit two = edit;
        two.sources.push_back({"Sales Targets", {"Region"}});
        f.dialog->SetEditInfoModel(two.Build());
        f.dialog->UpdateControlsFromData();
        f.dispatcher.Answer<Cmds::SetDomainFromField>().Set<Cmds::ParameterInfo>(filled.Parameter());
        script.PickMenuItem(QStringLiteral("Sales Targets/Region"));
        f.w<MenuButton>("m_ctrlAddFromDimBtn")->click();
        const MenuSnapshot& nested = script.Menus().back();
        QCOMPARE(nested.Texts(), (QStringList {"Orders", "Sales Targets"}));
        QVERIFY(nested.Find(QStringLiteral("Orders/State")));
        QCOMPARE(
            f.dispatcher.Last<Cmds::SetDomainFromField>().Get<Cmds::FieldNameParam>(), Field(QStringLiteral("Region")));
        QCOMPARE(script.UnexpectedRequests(), 0);
        // The busy state is over: the list repaints and the dialog has no cursor of its own.
        QCOMPARE(f.dialog->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(f.w<ParameterMemberView>("m_ctrlMembers")->updatesEnabled());
    }

    void pasteAndClear()
    {
        DialogFixture f(Edit().In(ParameterTypes::Domain_List, {"1", "2"}));

        // Empty clipboard: the command still goes, with empty text; no list back is a beep.
        QApplication::clipboard()->clear();
        ZelTest::ModalScript beepCounter;
        f.dispatcher.Answer<Cmds::PasteListMembers>();
        f.w<QPushButton>("m_ctrlPasteBtn")->click();
        QCOMPARE(f.dispatcher.Last<Cmds::PasteListMembers>().Get<Cmds::ClipboardText>(), TString());
        QCOMPARE(beepCounter.Beeps(), 1);
        ParameterMemberModel& members = *f.dialog->findChild<ParameterMemberModel*>();
        QCOMPARE(Values(members).size(), 2);

        // Text on the clipboard goes as it is; the list comes back whole.
        QApplication::clipboard()->setText(QStringLiteral("3\n4, 5"));
        auto pasted = MakeRefCnt<ParameterListDomainPresModel>();
        pasted->SetMembers(Members(QStringList {"1", "2", "3", "4", "5"}));
        f.dispatcher.Answer<Cmds::PasteListMembers>().Set<Cmds::ListDomain>(pasted);
        f.w<QPushButton>("m_ctrlPasteBtn")->click();
        QCOMPARE(f.dispatcher.Last<Cmds::PasteListMembers>().Get<Cmds::ClipboardText>(), TString(L"3\n4, 5"));
        QCOMPARE(Values(members), (QStringList {"1", "2", "3", "4", "5"}));
        QCOMPARE(beepCounter.Beeps(), 1);
        QApplication::clipboard()->clear();

        // Clear All: no question, the emptied list disables what needs a member.
        f.dispatcher.Answer<Cmds::ClearListDomain>()
            .Set<Cmds::ListDomain>(MakeRefCnt<ParameterListDomainPresModel>())
            .Set<Cmds::FormattedValue>(TString(L"5"));
        f.w<QPushButton>("m_ctrlClearBtn")->click();
        QCOMPARE(Values(members).size(), 0);
        QVERIFY(!f.w<QPushButton>("m_ctrlClearBtn")->isEnabled());
        QVERIFY(!f.w<QLabel>("m_ctrlValueLabel")->isEnabled());
        QCOMPARE(f.dialog->FormatPopup().GetSampleText(), TString(L"5"));
    }

    void logicExceptions()
    {
        RecordingDispatcher dispatcher;
        QCOMPARE(LogicCondition([&] { TestDialog d(dispatcher, Edit().In(DomainType(7)).Build(), nullptr, kEditId); }),
            QStringLiteral("Unknown domain type"));

        Edit noRange = Edit().In(ParameterTypes::Domain_Range);
        noRange.withRange = false;
        QCOMPARE(LogicCondition([&] { TestDialog d(dispatcher, noRange.Build(), nullptr, kEditId); }),
            QStringLiteral("Range model shouldn't be null"));
        const Edit threeOptions
            = Edit().Typed(DT_BOOLEAN, DataValue(true)).In(ParameterTypes::Domain_List, {"True", "False", "Maybe"});
        QCOMPARE(LogicCondition([&] { TestDialog d(dispatcher, threeOptions.Build(), nullptr, kEditId); }),
            QStringLiteral("Booleans should have exactly two valid options"));
        QCOMPARE(LogicCondition([&] { TestDialog d(dispatcher, {}, nullptr, kEditId); }), QStringLiteral("m_ptr"));

        DialogFixture f(Edit().Typed(DT_BOOLEAN, DataValue(5)).In(ParameterTypes::Domain_List));
        QCOMPARE(LogicCondition([&] { f.dialog->OnBooleanValueChange(2); }),
            QStringLiteral("Boolean indices should only ever be 0 or 1"));
        DialogFixture g(Edit {});
        QCOMPARE(LogicCondition([&] { g.dialog->OnBooleanValueChange(1); }),
            QStringLiteral("GetDomainType() == ParameterTypes::Domain_List && GetDataType() == DT_BOOLEAN"));

        // A host that answers null, or the wrong type: the host's fault reaches the caller, the
        // records stay as they were.
        g.dispatcher.AnswerNull<Cmds::SetParameterDataType>();
        {
            const QSignalBlocker quiet(g.w<ZelvarComboBoxEnum<DataType>>("m_ctrlType"));
            g.PickType(DT_STRING);
        }
        QCOMPARE(LogicCondition([&] { g.dialog->OnDataTypeChange(); }), QStringLiteral("parameters != nullptr"));
        QCOMPARE(g.dialog->GetParameter()->GetDataType(), DT_INTEGER);
        g.dispatcher.Answer<Cmds::ClearListDomain>()
            .SetRaw<int>(Cmds::ListDomain::id, 3)
            .Set<Cmds::FormattedValue>(TString(L"5"));
        QCOMPARE(MismatchedParameter([&] { g.dialog->OnClear(); }), Cmds::ListDomain::id);
    }
};

QTEST_MAIN(ParameterDialogTest)

#include "ParameterDialogTest.moc"
