#include "rom/DocumentMerge.h"

#include <algorithm>

namespace tarnwick {

std::vector<Finding> introducedFindings(const RomImage& merged, const RomImage& first,
                                        const RomImage& second, const FindingNames& names) {
    // The findings are compared by number: the two sides may call an item by different names
    // where one of them renamed it, and the finding would still be the same.
    const std::vector<Finding> byNumber = checkImage(merged);
    const std::vector<Finding> firstFindings = checkImage(first);
    const std::vector<Finding> secondFindings = checkImage(second);
    // The same rules in the same order find the same things whatever the names say.
    const std::vector<Finding> named = checkImage(merged, names);
    std::vector<Finding> introduced;
    for (std::size_t at = 0; at < byNumber.size(); ++at) {
        const Finding& finding = byNumber[at];
        const auto known = [&finding](const std::vector<Finding>& findings) {
            return std::find(findings.begin(), findings.end(), finding) != findings.end();
        };
        if (!known(firstFindings) && !known(secondFindings))
            introduced.push_back(at < named.size() ? named[at] : finding);
    }
    return introduced;
}

} // namespace tarnwick
