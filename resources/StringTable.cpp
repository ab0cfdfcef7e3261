#include "StringTable.h"

namespace {

struct StringTableRow {
    int id;
    const MCHAR* text;
};

#include "StringTableData.h"

}  // namespace

const MCHAR* StringTableText(int id) {
    for (const StringTableRow& row : kStringTable)
        if (row.id == id) return row.text;
    return nullptr;
}
