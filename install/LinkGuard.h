#pragma once
// The link rule of install/LinkOnTheWay.h held over a whole install branch, from its first check to its
// last deletion. Checked once before anything is written, a rule leaves a gap: a user who may write
// inside the folder could swap a subfolder for a junction while the files are staged, and the commit,
// the rollback and the cleanup, which work by path, would follow it. So the rule is asked again right
// before the first file moves into place, and before each path the transaction moves, deletes, makes or
// removes; the cleanup of a killed run's leftovers asks it too.

#include <string>
#include <vector>

#include "install/InstallPlan.h"
#include "install/LinkOnTheWay.h"

namespace install {

class LinkGuard {
public:
    LinkGuard(const InstallPlan& plan, ReparsePointTest isReparsePoint, text::LeadByteTest isLeadByte);

    // The first link on the way to anything the branch writes, makes, empties or deletes (below each
    // root's link root), or on the way to a file it copies from beside the setup (the file itself and
    // the folder holding it, which is the user's choice no more than a subfolder is); empty when none.
    std::string FirstLink() const;

    // The first link on the way to `path`, below the innermost link root it lies in; a path in none is
    // taken from the top of its drive, and a link root or a level above one has none. Empty when the
    // path may be entered, written or deleted now.
    std::string LinkOnTheWayTo(const std::string& path) const;

private:
    ReparsePointTest m_isReparsePoint;
    text::LeadByteTest m_isLeadByte;
    std::vector<PathBelow> m_paths;
    std::vector<std::string> m_linkRoots;  // every link root of the plan, each once
};

}  // namespace install
