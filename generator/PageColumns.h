#pragma once
// Which columns a page shows, under which headers. The settings record holds seven slots of the
// first seven kinds; the options file may hold a longer list with every kind. The list is used
// only while it agrees with the record, so that a record written by another program, or edited
// since, gives the page it always gave.
#include "generator/Columns.h"
#include "generator/GeneratorSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Each column's header by id, for the columns whose header the record does not store.
using ColumnHeaders = std::array<std::string, ColumnCount + 1>;
// The English ones.
ColumnHeaders englishColumnHeaders();

struct PageColumns {
    struct Header {
        std::uint8_t id;
        std::string name; // not yet escaped
    };
    std::vector<Header> headers;     // the header row's cells, in order
    std::vector<std::uint8_t> cells; // a data row's column ids, in order; an id that names no
                                     // column gives an empty cell
};

// Whether the page takes the list rather than the record's slots: the list is not empty, and its
// columns of the record's kinds, in order and followed by empty slots, are the record's slots.
bool pageUsesList(const std::vector<std::uint8_t>& list, const TGeneratorSettings& record);

// The list's columns of the record's kinds, as the record's slots hold them: at most seven,
// the rest empty slots (0).
std::array<std::uint8_t, ColumnSlots> recordSlotsOf(const std::vector<std::uint8_t>& list);

// The list when it agrees with the record: its k-th column of the record's kinds under the
// name of slot k, the others under `headers`. Otherwise the record's slots as they stand: a
// header for every slot that is not empty, under its stored name, and data rows of the slots
// before the first empty one, a slot with an id beyond the first kinds giving an empty cell.
PageColumns pageColumns(const TGeneratorSettings& record, const std::vector<std::uint8_t>& list,
                        const ColumnHeaders& headers);
