#include "tests/support/TestHelpers.h"

#include "host/doc/DataValue.h"
#include "host/doc/HostLog.h"
#include "host/doc/ParameterEditPresModels.h"
#include "host/ui/IModalPresenter.h"

#include <QtCore/QMetaEnum>

#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QComboBox>

namespace ZelTest {

std::optional<LogicException> CatchLogicException(const std::function<void()>& action)
{
    try {
        action();
    } catch (const LogicException& e) {
        return e;
    }
    return std::nullopt;
}

QString LogicCondition(const std::function<void()>& action)
{
    const auto e = CatchLogicException(action);
    return e ? QString::fromStdString(e->Condition()) : QStringLiteral("(nothing raised)");
}

QString LogicFailure(const std::function<void()>& action)
{
    const auto e = CatchLogicException(action);
    return e ? QString::fromStdString(e->File() + ": " + e->Condition()) : QStringLiteral("(nothing raised)");
}

QString BoxShape(const MessageBoxRequest& box)
{
    // The flag's keys name some buttons twice (FirstButton is Ok): each button by its first name.
    const QMetaEnum keys = QMetaEnum::fromType<QMessageBox::StandardButtons>();
    QStringList buttons;
    int seen = 0;
    for (int i = 0; i < keys.keyCount(); ++i) {
        const int value = keys.value(i);
        if (value >= QMessageBox::Ok && value <= QMessageBox::RestoreDefaults && !(seen & value)
            && (box.buttons & value)) {
            buttons << QLatin1String(keys.key(i));
            seen |= value;
        }
    }
    return QStringLiteral("%1 %2 default %3 %4")
        .arg(QLatin1String(QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box.icon)),
            buttons.join(QLatin1Char('|')), QLatin1String(keys.valueToKey(box.defaultButton)),
            QLatin1String(QMetaEnum::fromType<Qt::WindowModality>().valueToKey(box.modality)));
}

int MismatchedParameter(const std::function<void()>& action)
{
    try {
        action();
    } catch (const TypeMismatchCommandException& e) {
        return e.ParameterId();
    }
    return -1;
}

QStringList ItemTexts(const QComboBox& combo)
{
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i)
        texts << combo.itemText(i);
    return texts;
}

QStringList DisplayTexts(const std::vector<DataValue>& values)
{
    QStringList texts;
    for (const DataValue& value : values)
        texts << value.ToDisplayString().ToQString();
    return texts;
}

QStringList DisplayTexts(const std::vector<TString>& texts)
{
    QStringList list;
    for (const TString& text : texts)
        list << text.ToQString();
    return list;
}

QString RangeText(const ParameterRangeDomainPresModel& range)
{
    static const char* const units[] = {"years", "quarters", "months", "weeks", "days", "hours", "minutes", "seconds"};
    const auto shown = [](const DataValue& value, bool user) -> QString {
        return (user ? QStringLiteral("*") : QString()) + value.ToDisplayString().ToQString();
    };
    const int unit = range.GetDateIncrementPeriod();
    return QStringLiteral("%1..%2 step %3 %4")
        .arg(shown(range.GetDomainMin(), range.GetHasUserDefinedMin()),
            shown(range.GetDomainMax(), range.GetHasUserDefinedMax()),
            shown(range.GetIncrement(), range.GetHasUserDefinedIncrement()),
            unit >= 0 && unit < 8 ? QLatin1String(units[unit]) : QLatin1String("?"));
}

bool HostLogMentions(const QString& text)
{
    for (const TString& line : HostLog::Lines())
        if (line.ToQString().contains(text))
            return true;
    return false;
}

void SelectRows(QAbstractItemView& view, std::initializer_list<int> rows)
{
    QItemSelectionModel& selection = *view.selectionModel();
    selection.clear();
    for (int row : rows)
        selection.select(view.model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (rows.size() > 0)
        selection.setCurrentIndex(view.model()->index(*rows.begin(), 0), QItemSelectionModel::NoUpdate);
}

} // namespace ZelTest
