#include "app/fragmentmenu.h"

#include "app/commands.h"
#include "core/text.h"

namespace dravo {

QString PaddedLabel(const std::string &name, int width) {
    std::string label = name;
    const int pad = width - static_cast<int>(name.size());
    if (pad > 0)
        label.append(static_cast<std::size_t>(pad), ' ');
    return QString::fromStdString(ToUtf8(label));
}

int FragmentCommandId(std::size_t article, std::size_t clause) {
    if (clause > 255)
        return 0;
    const std::size_t id = ID_FRAGMENT_FIRST + article * 256 + clause;
    return id <= ID_FRAGMENT_LAST ? static_cast<int>(id) : 0;
}

bool DecodeFragmentCommand(int id, int &article, int &clause) {
    if (id < ID_FRAGMENT_FIRST || id > ID_FRAGMENT_LAST)
        return false;
    article = (id - ID_FRAGMENT_FIRST) / 256;
    clause = (id - ID_FRAGMENT_FIRST) % 256;
    return true;
}

std::vector<FragmentSubmenu> BuildFragmentMenu(const CBody &body) {
    std::vector<FragmentSubmenu> menu;
    menu.reserve(body.ArticleCount());
    for (std::size_t i = 0; i < body.ArticleCount(); ++i) {
        const CPar &article = body.m_arArticles[i];
        FragmentSubmenu sub;
        sub.label = PaddedLabel(article.m_head.m_strName, 34);
        sub.checked = article.m_head.m_nCheck != 0;
        sub.separatorBefore = article.m_head.m_nMark != 0;
        for (std::size_t j = 0; j < article.m_arItems.size(); ++j) {
            const CPun &clause = article.m_arItems[j];
            sub.items.push_back({PaddedLabel(clause.m_strName, 37), clause.m_nCheck != 0,
                                 clause.m_nMark != 0, FragmentCommandId(i, j)});
        }
        menu.push_back(std::move(sub));
    }
    return menu;
}

void SyncArticleChecks(CBody &body) {
    for (CPar &article : body.m_arArticles) {
        bool any = false;
        for (const CPun &clause : article.m_arItems)
            any = any || clause.m_nCheck == 1;
        article.m_head.m_nCheck = any ? 1 : 0;
    }
}

} // namespace dravo
