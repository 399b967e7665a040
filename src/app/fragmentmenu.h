// The fragment menu of a template's page (right mouse button): one submenu per article with its
// clauses, check marks for what the contract includes and separators where the template puts
// them. Built as data from the body; the view turns it into a pop-up menu.
#pragma once

#include "core/body.h"

#include <QString>
#include <vector>

namespace dravo {

struct FragmentItem {
    QString label;
    bool checked = false;
    bool separatorBefore = false;
    int id = 0; // 0: the item cannot be addressed by a command id and does nothing
};

struct FragmentSubmenu {
    QString label;
    bool checked = false;
    bool separatorBefore = false;
    std::vector<FragmentItem> items;
};

std::vector<FragmentSubmenu> BuildFragmentMenu(const CBody &body);

// The command id of a clause: 10000 + article * 256 + clause, or 0 when the clause index does
// not fit a byte or the id falls outside 10000..30000.
int FragmentCommandId(std::size_t article, std::size_t clause);
// The article and clause a fragment command names; false for ids outside 10000..30000.
bool DecodeFragmentCommand(int id, int &article, int &clause);

// A label padded with spaces to width characters (counted in the body's one-byte text).
QString PaddedLabel(const std::string &name, int width);

// Sets every article heading's check to 1 when at least one of its clauses is included, else 0.
void SyncArticleChecks(CBody &body);

} // namespace dravo
