#include "Sellers.h"

#include "catalogue/Lookups.h"

namespace vw {

std::vector<Sale> findSellers(std::span<const ShopRecord> records, QStringView id,
                              CatalogueLookups* catalogue) {
    std::vector<Sale> sales;
    for (size_t r = 0; r < records.size(); ++r) {
        const ShopRecord& record = records[r];
        for (int list = 0; list < ShopRecord::ListCount; ++list) {
            const int length = record.listLength(list);
            for (int slot = 0; slot < length; ++slot) {
                const ItemSlot& item = record.slot(list, slot);
                if (item.id != id)
                    continue;
                Sale sale{static_cast<int>(r), list, slot, record.className, {}, item.taxRate, {}};
                if (catalogue) {
                    sale.chineseName = catalogue->npcChineseName(record.className);
                    sale.locations = catalogue->locationsOf(record.className);
                }
                sales.push_back(std::move(sale));
            }
        }
    }
    return sales;
}

} // namespace vw
