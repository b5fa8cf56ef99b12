#include "editor/pages/inventory_page.h"

#include "demo/tresk_doc.h"
#include "editor/pages/page_units.h"
#include "editor/ui.h"

#include <charconv>

using page_units::FormatInt;

namespace {

// Parses a row's count: a whole 16-bit number, blanks around it allowed.
bool ParseCount(const std::string& text, int16_t& out) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    if (begin == std::string::npos) {
        return false;
    }
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    if (*first == '+') {
        ++first;
    }
    int v = 0;
    auto result = std::from_chars(first, last, v);
    if (result.ec != std::errc() || result.ptr != last || first == last || v < INT16_MIN ||
        v > INT16_MAX) {
        return false;
    }
    out = static_cast<int16_t>(v);
    return true;
}

} // namespace

CInventoryPage::CInventoryPage() : MessagePage(IDD_PAGE_INVENTORY) {
    AddField("items", "Inventory Items:", PageFieldKind::List);
}

void CInventoryPage::Fill(const DemoMessage& record, const CTreskDoc& doc) {
    const auto* m = MessageCast<InventoryMessage>(&record);
    if (m == nullptr) {
        return;
    }
    // Item i is named by item table entry i - 1; slot 0 is no item.
    PageField& list = *FindField("items");
    list.rows.clear();
    for (int i = 0; i < kInventoryItems; ++i) {
        std::string name = i > 0 ? doc.itemTable.Entry(i - 1) : std::string();
        if (name.empty() && m->counts[i] == 0) {
            continue;
        }
        PageListRow row;
        row.key = FormatInt(i);
        // (Built in two steps: GCC 12 at -O3 warns wrongly about "#" + string.)
        row.label = name.empty() ? std::string("#").append(FormatInt(i)) : name;
        row.value = FormatInt(m->counts[i]);
        row.filled = row.value;
        list.rows.push_back(std::move(row));
    }
}

void CInventoryPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<InventoryMessage>(&record);
    if (m == nullptr) {
        return;
    }
    for (const PageListRow& row : FindField("items")->rows) {
        if (row.value == row.filled) {
            continue;
        }
        int index = 0;
        std::from_chars(row.key.data(), row.key.data() + row.key.size(), index);
        if (index < 0 || index >= kInventoryItems) {
            continue;
        }
        int16_t count = 0;
        if (!ParseCount(row.value, count)) {
            ui.ShowMessage("Please enter an integer between -32768 and 32767.");
            continue;
        }
        m->counts[index] = count;
    }
}
