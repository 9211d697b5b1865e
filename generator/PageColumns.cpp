#include "generator/PageColumns.h"

#include <algorithm>

ColumnHeaders englishColumnHeaders()
{
    ColumnHeaders headers;
    for (const ColumnKind& column : columnKinds())
        headers[column.id] = column.englishHeader;
    return headers;
}

std::array<std::uint8_t, ColumnSlots> recordSlotsOf(const std::vector<std::uint8_t>& list)
{
    std::array<std::uint8_t, ColumnSlots> slots{};
    std::size_t used = 0;
    for (std::uint8_t id : list)
        if (id != ciNone && id <= RecordColumnKinds && used < slots.size())
            slots[used++] = id;
    return slots;
}

bool pageUsesList(const std::vector<std::uint8_t>& list, const TGeneratorSettings& record)
{
    const auto ofRecordKinds = std::count_if(list.begin(), list.end(), [](std::uint8_t id) {
        return id != ciNone && id <= RecordColumnKinds;
    });
    return !list.empty() && ofRecordKinds <= ColumnSlots &&
           std::equal(record.SelectedItems, record.SelectedItems + ColumnSlots, recordSlotsOf(list).begin());
}

PageColumns pageColumns(const TGeneratorSettings& record, const std::vector<std::uint8_t>& list,
                        const ColumnHeaders& headers)
{
    PageColumns page;
    if (pageUsesList(list, record)) {
        int slot = 0;
        for (std::uint8_t id : list) {
            if (!columnKind(id))
                continue;
            page.headers.push_back({id, id <= RecordColumnKinds ? record.SelectedNames[slot++].str() : headers[id]});
            page.cells.push_back(id);
        }
        return page;
    }
    for (int i = 0; i < ColumnSlots; ++i)
        if (record.SelectedItems[i] != ciNone)
            page.headers.push_back({record.SelectedItems[i], record.SelectedNames[i].str()});
    // A slot names only the first kinds: any other id is an empty cell, as it always was.
    for (int i = 0; i < ColumnSlots && record.SelectedItems[i] != ciNone; ++i)
        page.cells.push_back(record.SelectedItems[i] <= RecordColumnKinds ? record.SelectedItems[i] : std::uint8_t{ciNone});
    return page;
}
