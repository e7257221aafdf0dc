// Moves a simulated host's counters: the three figures follow the load levels exactly, and the
// other counters of the nine objects move along with them so that the blocks look lived in.
#pragma once
#include <cstdint>

#include "block_builder.h"
#include "host_block.h"

namespace sim {

struct CHostLevels;

// Sets the counters that do not move (sizes, bandwidths, process identities and start times)
// once, at the host's first request, nFileTime being that moment.
void InitStaticCounters(CPerfBlockBuilder& builder, const CHostShape& shape,
                        std::uint32_t nMemoryMb, std::int64_t nFileTime);

// Advances the counters by nElapsed 100-ns units spent at the given levels, and sets the
// momentary counters (available memory, queue lengths) to them. Between two blocks the
// processor's "_Total" idle timer grows by nElapsed x (1 - cpu/100) and the physical disks'
// "_Total" busy timer by nElapsed x disk/100 (each rounded to a whole unit), so that the
// figures computed from two consecutive blocks are the levels of the second.
void AdvanceCounters(CPerfBlockBuilder& builder, const CHostShape& shape, std::uint32_t nMemoryMb,
                     const CHostLevels& levels, std::int64_t nElapsed);

}  // namespace sim
