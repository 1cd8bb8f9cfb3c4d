#include "WellIndex.h"

#include <cstring>

namespace brixolan {

void WellIndex::refresh(const Well& well) {
    // Plain int arrays without padding: comparing the bytes is comparing the cells.
    if (std::memcmp(&well, &m_well, sizeof(Well)) == 0) {
        return;
    }
    m_well = well;

    m_fullCount = 0;
    for (std::size_t r = 0; r < WellRows; ++r) {
        bool full = true;
        for (const std::int32_t code : well[r]) {
            full = full && code > 0;
        }
        if (full) {
            m_fullRows[m_fullCount++] = static_cast<std::uint8_t>(r);
        }
    }

    // Every cell is written and only occupied ones are kept: no branch for a ragged stack to
    // mispredict.
    m_occupiedCount = 0;
    for (std::size_t c = 0; c < WellColumns; ++c) {
        for (std::size_t r = 0; r < WellRows; ++r) {
            const std::int32_t code = well[r][c];
            m_occupied[m_occupiedCount] = {code, static_cast<std::int32_t>(r),
                                           static_cast<std::int32_t>(c)};
            m_occupiedCount += code != 0 ? 1 : 0;
        }
    }
}

} // namespace brixolan
