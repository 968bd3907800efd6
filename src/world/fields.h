#pragma once
// Every number in the world, in the order the world defines them: the one field list that a replay's
// snapshot and its check, the viewer's moments and the state hash follow. A field added to any record is
// walked with no other edit. The host's own variables are not the game's and are passed over; the state
// hash passes over what only the pictures show too.
#include <array>
#include <cstddef>
#include <type_traits>

#include <boost/pfr/core.hpp>

#include "world/world.h"

namespace world_fields {
template <typename T>
struct IsArray : std::false_type {};
template <typename T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};
}  // namespace world_fields

enum class Walk { Snapshot, Hash };

// leaf(number&) for each number in v; v is the world or any record in it.
template <Walk walk = Walk::Snapshot, typename T, typename Leaf>
void ForEachNumber(T& v, Leaf&& leaf) {
    using U = std::remove_const_t<T>;
    if constexpr (std::is_same_v<U, HostVars> || (walk == Walk::Hash && std::is_same_v<U, PresentationVars>)) {
        return;
    } else if constexpr (std::is_arithmetic_v<U> || std::is_enum_v<U>) {
        // Fixed sizes only: a snapshot must read the same in the 32-bit browser build.
        static_assert(sizeof(U) == 1 || sizeof(U) == 4, "a world field of a size that differs between builds");
        leaf(v);
    } else if constexpr (world_fields::IsArray<U>::value) {
        for (auto& e : v) ForEachNumber<walk>(e, leaf);
    } else {
        static_assert(std::is_aggregate_v<U>, "world records are plain aggregates");
        boost::pfr::for_each_field(v, [&leaf](auto& f) { ForEachNumber<walk>(f, leaf); });
    }
}
