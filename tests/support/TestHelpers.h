#pragma once

#include "host/doc/Exceptions.h"

#include <QtCore/QStringList>

#include <functional>
#include <initializer_list>
#include <optional>
#include <vector>

class DataValue;
struct MessageBoxRequest;
class ParameterRangeDomainPresModel;
class TString;
class QAbstractItemView;
class QComboBox;

namespace ZelTest {

// What an action raised, caught so that one comparison states the expected failure. Exceptions of
// any other type pass through and fail the test.
std::optional<LogicException> CatchLogicException(const std::function<void()>& action);
// The condition text of the logic exception `action` raises, or "(nothing raised)".
QString LogicCondition(const std::function<void()>& action);
// The same as "file: condition", for checks that the right source detected the fault.
QString LogicFailure(const std::function<void()>& action);
// The parameter id of the type-mismatch exception `action` raises, or -1.
int MismatchedParameter(const std::function<void()>& action);

// How a message box was asked for, "Warning Ok|Cancel default NoButton WindowModal", so that one
// comparison checks its icon, buttons, default button and modality.
QString BoxShape(const MessageBoxRequest& box);

// The texts of a combo box's items, in order.
QStringList ItemTexts(const QComboBox& combo);
// Values as the host displays them.
QStringList DisplayTexts(const std::vector<DataValue>& values);
QStringList DisplayTexts(const std::vector<TString>& texts);
// A parameter's range as "min..max step N unit", each bound or step the user set marked with a '*':
// "*1..50 step *1 days".
QString RangeText(const ParameterRangeDomainPresModel& range);
// Whether a line of the host log contains `text`.
bool HostLogMentions(const QString& text);
// Selects whole rows of a view's model, one after another as clicks with Ctrl held do; the first
// one becomes current.
void SelectRows(QAbstractItemView& view, std::initializer_list<int> rows);

} // namespace ZelTest
