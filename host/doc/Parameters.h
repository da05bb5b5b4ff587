#pragma once

#include "Parameter.h"
#include "TString.h"

#include <map>
#include <vector>

class ZELHOST_DOC_EXPORT IParameterVisitor
{
public:
    virtual ~IParameterVisitor();
    virtual void Visit(int id, const IParameter& value) = 0;
};

// What the host knows about where a command comes from. The dialogs never fill these; the host's
// own commands do.
enum class ContextKind
{
    Sheet,
    Worksheet,
    Dashboard,
    Story,
    View,
    Selection,
    DataSource,
    Zone,
};

// A set of parameters keyed by integer id: the argument and the result of every command.
class ZELHOST_DOC_EXPORT IParameters : public RefCntObject
{
public:
    ~IParameters() override;
    virtual void SetParameter(int id, RefCntPtr<IParameter> value) = 0;
    virtual IParameter& GetParameter(int id) = 0;
    // A missing id gives a value of no ValParameter type, so a typed read of it fails its type
    // check instead of touching nothing.
    virtual const IParameter& GetParameter(int id) const = 0;
    virtual bool HasParameter(int id) const = 0;
    virtual void RemoveParameter(int id) = 0;
    virtual std::vector<int> GetParameterIds() const = 0;
    virtual void Accept(IParameterVisitor& visitor) const = 0;
    virtual void SetCacheable(bool cacheable) = 0;
    virtual bool IsCacheable() const = 0;
    virtual TString GetContext(ContextKind kind) const = 0;
    virtual void SetContext(ContextKind kind, const TString& value) = 0;
};

class ZELHOST_DOC_EXPORT BaseParameters : public IParameters
{
public:
    void Accept(IParameterVisitor& visitor) const override;
    void SetCacheable(bool cacheable) override { m_cacheable = cacheable; }
    bool IsCacheable() const override { return m_cacheable; }

    // The shared stand-in for a missing parameter.
    static const IParameter& Missing();

private:
    bool m_cacheable = false;
};

class ZELHOST_DOC_EXPORT Parameters : public BaseParameters
{
public:
    Parameters() = default;
    void SetParameter(int id, RefCntPtr<IParameter> value) override;
    IParameter& GetParameter(int id) override;
    const IParameter& GetParameter(int id) const override;
    bool HasParameter(int id) const override;
    void RemoveParameter(int id) override;
    std::vector<int> GetParameterIds() const override;

private:
    std::map<int, RefCntPtr<IParameter>> m_values;
};

class ZELHOST_DOC_EXPORT ContextParametersImpl : public Parameters
{
public:
    TString GetContext(ContextKind kind) const override;
    void SetContext(ContextKind kind, const TString& value) override;

private:
    std::map<ContextKind, TString> m_context;
};

// The set every command is built from: new ones start empty with one reference.
class ZELHOST_DOC_EXPORT ContextParameters final : public ContextParametersImpl
{
public:
    static RefCntPtr<ContextParameters> Create() { return MakeRefCnt<ContextParameters>(); }
};

// Sets `value` under `id` as a freshly made ValParameter<T>.
template <typename T>
void SetValParameter(IParameters& set, int id, T value)
{
    set.SetParameter(id, ValParameter<T>::Make(std::move(value)));
}
