#pragma once

#include "ZelHostDocExport.h"

#include <stdexcept>
#include <string>

class TString;

// A broken internal invariant, or host input that cannot be right. Carries the project path of
// the source that detected it ("main/dialogs/ParameterDialog"), the line and the failed condition.
class ZELHOST_DOC_EXPORT LogicException : public std::logic_error
{
public:
    LogicException(std::string file, int line, std::string condition);

    const std::string& File() const noexcept { return m_file; }
    int Line() const noexcept { return m_line; }
    const std::string& Condition() const noexcept { return m_condition; }

private:
    std::string m_file;
    int m_line;
    std::string m_condition;
};

// A command result whose parameter is missing or holds a value of another type than the one the
// caller expects.
class ZELHOST_DOC_EXPORT TypeMismatchCommandException : public std::runtime_error
{
public:
    explicit TypeMismatchCommandException(int parameterId);

    int ParameterId() const noexcept { return m_parameterId; }

private:
    int m_parameterId;
};

[[noreturn]] ZELHOST_DOC_EXPORT void ThrowLogicException(const char* file, int line, const char* condition);
[[noreturn]] ZELHOST_DOC_EXPORT void ThrowLogicException(const char* file, int line, const TString& condition);
[[noreturn]] ZELHOST_DOC_EXPORT void ThrowTypeMismatchCommandException(int parameterId);

// Checks an invariant and raises the logic exception with the condition's own text.
// `file` is the project path of the calling source, not __FILE__, so that the text a host logs is
// the same on every build machine.
#define ZEL_LOGIC_CHECK(file, condition)                                                                               \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::ThrowLogicException((file), __LINE__, #condition);                                                       \
    } while (false)

// Same, with a message of its own instead of the condition's text.
#define ZEL_LOGIC_CHECK_MSG(file, condition, message)                                                                  \
    do {                                                                                                               \
        if (!(condition))                                                                                              \
            ::ThrowLogicException((file), __LINE__, (message));                                                        \
    } while (false)
