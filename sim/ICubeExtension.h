#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/TString.h"

#include <vector>

namespace Zel::Sim {

// Members and measures that exist in the cube only because something defined them on top of the
// stored data (calculated members and measures). The cube asks its extension afresh for every
// lookup, so what the extension answers is always current; the cube keeps nothing of it.
//
// An extra member has no children. It follows its parent's stored children in the tree, in the
// order the extension lists it. Its parent is named by unique name: empty puts it under the All
// member of its hierarchy (at the top of one without an All member); a parent the cube cannot find,
// or one that is itself an extra member, leaves the member out.
class ZELSIM_EXPORT ICubeExtension
{
public:
    struct Member
    {
        TString parentUniqueName;
        TString name;
    };

    virtual ~ICubeExtension();

    // `hierarchy` is the hierarchy's name without brackets ("Geography").
    virtual std::vector<Member> ExtraMembers(const TString& hierarchy) const = 0;
    // Names of measures beyond the stored ones, without brackets.
    virtual std::vector<TString> ExtraMeasures() const = 0;
};

} // namespace Zel::Sim
