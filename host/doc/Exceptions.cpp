#include "Exceptions.h"

#include "TString.h"

namespace {
std::string Describe(const std::string& file, int line, const std::string& condition)
{
    return file + "(" + std::to_string(line) + "): " + condition;
}
} // namespace

LogicException::LogicException(std::string file, int line, std::string condition)
    : std::logic_error(Describe(file, line, condition))
    , m_file(std::move(file))
    , m_line(line)
    , m_condition(std::move(condition))
{
}

TypeMismatchCommandException::TypeMismatchCommandException(int parameterId)
    : std::runtime_error(
        "command result parameter " + std::to_string(parameterId) + " is missing or of an unexpected type")
    , m_parameterId(parameterId)
{
}

void ThrowLogicException(const char* file, int line, const char* condition)
{
    throw LogicException(file ? file : "", line, condition ? condition : "");
}

void ThrowLogicException(const char* file, int line, const TString& condition)
{
    throw LogicException(file ? file : "", line, condition.ToQString().toStdString());
}

void ThrowTypeMismatchCommandException(int parameterId)
{
    throw TypeMismatchCommandException(parameterId);
}
