#pragma once
// Every number in the world, in the order the world defines them: the one field list that a replay's
// snapshot and its check, the viewer's moments and the state hash follow. A field added to any record is
// walked with no other edit. The host's own variables are not the game's and are passed over; the state
// hash passes over what only the pictures show too.
#include <array>
#include <cstddef>
#include <type_traits>
#include <utility>

#include <boost/pfr/core.hpp>

#include "world/world.h"

namespace world_fields {
template <typename T>
struct IsArray : std::false_type {};
template <typename T, std::size_t N>
struct IsArray<std::array<T, N>> : std::true_type {};

// Boost.PFR bounds its search for the number of a record's fields by the record's size in bits, which
// for the world (a megabyte) costs a compiler minutes and gigabytes. The world's fields are counted
// here instead, one more initialiser at a time, and the count given to Boost.PFR.
struct AnyField {
    template <typename T>
    constexpr operator T() const noexcept;
};
template <typename T, std::size_t... I>
constexpr bool TakesInitialisers(std::index_sequence<I...>) {
    return requires { T{(static_cast<void>(I), AnyField{})...}; };
}
template <typename T, std::size_t N = 1>
constexpr std::size_t CountFields() {
    if constexpr (TakesInitialisers<T>(std::make_index_sequence<N>{})) return CountFields<T, N + 1>();
    else return N - 1;
}
}  // namespace world_fields

template <>
constexpr std::size_t boost::pfr::detail::fields_count<World>() noexcept {
    return world_fields::CountFields<World>();
}

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
        static_assert(!std::is_same_v<U, bool>, "a flag in the world is an int32_t: a bool's byte is mostly padding bits");
        leaf(v);
    } else if constexpr (world_fields::IsArray<U>::value) {
        for (auto& e : v) ForEachNumber<walk>(e, leaf);
    } else {
        static_assert(std::is_aggregate_v<U>, "world records are plain aggregates");
        boost::pfr::for_each_field(v, [&leaf](auto& f) { ForEachNumber<walk>(f, leaf); });
    }
}
