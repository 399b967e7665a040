#include "body.h"

namespace dravo {

CBody::CBody() : m_arArticles(1) {
    m_parParties.m_arItems.resize(1);
    for (CPar &table : m_parFieldTables)
        table.m_arItems.resize(kFieldTableSlots);
    m_parLayout.m_arItems.resize(1);
}

void CBody::SetRecordNumbers(int counterparty, int thirdParty) {
    m_parVariables.m_head.m_dWidth = counterparty == -1 ? 0.0 : double(counterparty);
    m_parVariables.m_head.m_dFirstIndent = thirdParty == -1 ? 0.0 : double(thirdParty);
}

int CBody::RecordNumber(int selector) const {
    double value = 0.0;
    if (selector == 0)
        value = m_parVariables.m_head.m_dWidth;
    else if (selector == 1)
        value = m_parVariables.m_head.m_dFirstIndent;
    else
        return -1;
    // A file may hold any double here; only whole numbers in int range are record numbers.
    if (!(value > -2147483648.0 && value < 2147483648.0))
        return -1;
    const int n = static_cast<int>(value);
    return n == 0 ? -1 : n;
}

} // namespace dravo
