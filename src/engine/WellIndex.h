#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace brixolan {

inline constexpr int WellRows = 20;
inline constexpr int WellColumns = 10;

using Well = std::array<std::array<std::int32_t, WellColumns>, WellRows>;

/// An occupied cell of the well and the code it holds.
struct OccupiedCell {
    std::int32_t code;
    std::int32_t row;
    std::int32_t column;
};

/// What every tick asks of the well: its full rows and its occupied cells in drawing order.
/// Between two landings the well stays as it was, so the answers are kept and worked out
/// again only when the well differs from the one they were taken from; a comparison of the
/// whole well costs far less than walking it cell by cell.
class WellIndex {
public:
    /// Brings the answers up to date with `well`.
    void refresh(const Well& well);

    /// Rows whose ten cells are all occupied, top row first.
    std::span<const std::uint8_t> fullRows() const { return {m_fullRows.data(), m_fullCount}; }
    /// Occupied cells column by column, each column top to bottom.
    std::span<const OccupiedCell> occupied() const { return {m_occupied.data(), m_occupiedCount}; }

private:
    Well m_well{};
    std::array<std::uint8_t, WellRows> m_fullRows{};
    std::size_t m_fullCount = 0;
    std::array<OccupiedCell, WellRows * WellColumns> m_occupied{};
    std::size_t m_occupiedCount = 0;
};

} // namespace brixolan
